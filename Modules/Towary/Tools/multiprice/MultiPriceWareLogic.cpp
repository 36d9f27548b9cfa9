#include "Modules/Towary/Tools/multiprice/MultiPriceWareLogic.h"

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Database/SQLUtils.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/products/Lookup.h"
#include "Modules/Towary/Tools/products/WareCommands.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace Towar {

struct MultiPriceWareLogic::Commands {
    explicit Commands(const TSessionHolder& session)
        : wareInserter(session),
          wareDeleter(session),
          mainWareUpdater(session),
          groupWareUpdater(session),
          multiPriceWareMover(session),
          multiPriceWareGroupDeleter(session),
          regularWareToMultiPriceTurner(session),
          wareIndexChanger(session),
          pluInserter(session),
          pluUpdater(session) {}

    WareInserter wareInserter;
    WareDeleter wareDeleter;
    MainWareUpdater mainWareUpdater;
    GroupWareUpdater groupWareUpdater;
    MultiPriceWareMover multiPriceWareMover;
    MultiPriceWareGroupDeleter multiPriceWareGroupDeleter;
    RegularWareToMultiPriceTurner regularWareToMultiPriceTurner;
    WareIndexChanger wareIndexChanger;
    PluInserter pluInserter;
    PluUpdater pluUpdater;
};

struct MultiPriceWareLogic::Lookups {
    explicit Lookups(const TSessionHolder& session)
        : isMultiPriceWare(session), wareByRef(session), multiPriceWareBarCodes(session) {}

    LookupIsMultiPriceWare isMultiPriceWare;
    LookupWareByRef wareByRef;
    LookupMultiPriceWareBarCodes multiPriceWareBarCodes;
};

namespace {

[[noreturn]] void wrongGroupIndex(const std::string& groupIndex) {
    throw std::runtime_error("Błędna długość indeksu grupy (" + groupIndex + ").");
}

// F(1) .. F(levels): the full index lengths of the first group levels.
template <std::size_t levels>
std::array<std::size_t, levels> fullLengths() {
    std::array<std::size_t, levels> lengths{};
    std::size_t sum = 0;
    for (std::size_t level = 0; level < levels; ++level) {
        sum += static_cast<std::size_t>(getIndexLength(static_cast<TowarCode>(level + 1)));
        lengths[level] = sum;
    }
    return lengths;
}

std::string newArticleIndex(const TSessionHolder& session) {
    auto& generator = ArtIndexGenerator::instance();
    return generator.genIndex(session, generator.getLastGeneratedIndex());
}

}  // namespace

int groupCodeBelow(const std::string& groupIndex) {
    const auto length = Core::Utf8::length(groupIndex);
    if (length == 0) return tcDepartament;
    const auto lengths = fullLengths<4>();
    for (std::size_t level = 0; level < lengths.size(); ++level)
        if (length == lengths[level]) return static_cast<int>(level) + 2;
    wrongGroupIndex(groupIndex);
}

std::string parentGroupIndex(const std::string& groupIndex) {
    const auto length = Core::Utf8::length(groupIndex);
    const auto lengths = fullLengths<5>();
    // A ware made at the root has a department's index, the root its parent.
    if (length == lengths[0]) return "";
    for (std::size_t level = 1; level < lengths.size(); ++level)
        if (length == lengths[level]) return std::string(Core::Utf8::substr(groupIndex, 0, lengths[level - 1]));
    wrongGroupIndex(groupIndex);
}

MultiPriceWareLogic::MultiPriceWareLogic(TSessionHolder session, ImportLog log, bool multiPriceEnabled)
    : handler_(multiPriceEnabled ? &MultiPriceWareLogic::processWareRegulary : &MultiPriceWareLogic::logMultiPriceWare),
      log_(std::move(log)),
      session_(std::move(session)) {
    if (!multiPriceEnabled) return;
    commands_ = std::make_unique<Commands>(session_);
    lookups_ = std::make_unique<Lookups>(session_);
    scratch_ = std::make_unique<TTowar>();
}

MultiPriceWareLogic::~MultiPriceWareLogic() = default;

bool MultiPriceWareLogic::processWare(TTowar& ware, TPLUCollection& plus, boost::optional<std::string> className,
                                      unsigned attributeValues, unsigned attributeMask) {
    outcome_ = Outcome::none;
    codesWritten_ = 0;
    return (this->*handler_)(ware, plus, std::move(className), attributeValues, attributeMask);
}

bool MultiPriceWareLogic::logMultiPriceWare(TTowar& ware, TPLUCollection&, boost::optional<std::string>, unsigned,
                                            unsigned) {
    if (ware.GetWieleCen() != 0)
        log_("W imporcie pojawił się towar wielocenowy (" + ware.GetNazwa() + ", " + ware.GetArtIndex() +
                 ") podczas gdy obsługa wielu cen jest wyłączona. Towar zostanie zaimportowany jako towar zwykły.",
             true);
    return false;
}

bool MultiPriceWareLogic::processWareRegulary(TTowar& ware, TPLUCollection& plus,
                                              boost::optional<std::string> className, unsigned attributeValues,
                                              unsigned attributeMask) {
    int storedRef = 0;
    std::string storedGroupIndex;
    WareClassData classData;
    const auto stored = getStoredTypeAndData(ware, storedRef, storedGroupIndex, classData);
    const bool multiPrice = ware.GetWieleCen() != 0;
    if (multiPrice) bindWareClass(ware, className, attributeValues, attributeMask, classData);

    switch (stored) {
        case StoredType::none:
            if (!multiPrice) return false;
            add(ware);
            addFirstElement(ware);
            outcome_ = Outcome::created;
            updateBarCodes(ware, plus, bcfNewWare);
            return true;
        case StoredType::ordinary:
            if (!multiPrice) return false;
            updateToMultiPriceWare(ware, storedRef);
            takeOverAndUpdateBarCodes(ware, storedRef, plus);
            outcome_ = Outcome::converted;
            return true;
        case StoredType::multi:
            if (!multiPrice) {
                updateToRegularWare(ware, storedGroupIndex, plus);
                // The former grouping row, found by the imported article index, is the product now.
                ware.SetTowarRef(storedRef);
                outcome_ = Outcome::dissolved;
                return false;
            }
            update(ware, storedRef, storedGroupIndex);
            outcome_ = ware.GetGrIndex() == storedGroupIndex ? Outcome::updated : Outcome::moved;
            updateBarCodes(ware, plus, bcfExistingWare);
            return true;
    }
    return false;
}

MultiPriceWareLogic::StoredType MultiPriceWareLogic::getStoredTypeAndData(const TTowar& ware, int& storedRef,
                                                                           std::string& storedGroupIndex,
                                                                           WareClassData& classData) {
    auto& lookup = lookups_->isMultiPriceWare;
    lookup.setArtIndex(ware.GetArtIndex());
    Lookup::Reply reply(lookup);
    if (reply.empty()) {
        classData = WareClassData{};
        return StoredType::none;
    }
    storedRef = reply["ltowarref"].asInt();
    classData = WareClassData{reply["snazwaklasy"].asString(), reply["lklasaref"].asInt(),
                              static_cast<unsigned>(reply["batrwart"].asInt64()),
                              static_cast<unsigned>(reply["batrmask"].asInt64())};
    if (reply["bytyp"].asInt() != kGroupingType) return StoredType::ordinary;
    storedGroupIndex = reply["sgrindex"].asString();
    return StoredType::multi;
}

void MultiPriceWareLogic::bindWareClass(TTowar& ware, const boost::optional<std::string>& className,
                                        unsigned attributeValues, unsigned attributeMask,
                                        const WareClassData& classData) {
    const TowarKlasy::OpisKlasyTowaru description(classData.name, classData.reference, classData.values,
                                                  classData.values, classData.values, classData.mask,
                                                  classData.mask, classData.mask);
    fixWareClass(ware, className, attributeValues, attributeMask, log_, description, session_);
}

void MultiPriceWareLogic::add(TTowar& ware) {
    TTowar& row = *scratch_;
    row = ware;
    row.SetTowarRef(static_cast<int>(DBKernel::RefPool::instance().getRef(session_)));
    row.SetTyp(kGroupingType);
    row.SetWieleCen(0);
    row.SetCode(groupCodeBelow(ware.GetGrIndex()));
    row.SetGrIndex(GroupIndexGenerator::instance().genIndex(ware.GetGrIndex(), session_));
    commands_->wareInserter.execute(row);
    ware.SetTowarRef(row.GetTowarRef());
    ware.SetGrIndex(row.GetGrIndex());
}

void MultiPriceWareLogic::addFirstElement(const TTowar& ware) {
    TTowar& row = *scratch_;
    row = ware;
    row.SetTowarRef(static_cast<int>(DBKernel::RefPool::instance().getRef(session_)));
    row.SetWieleCen(1);
    row.SetCode(tcTowar);
    row.SetArtIndex(newArticleIndex(session_));
    commands_->wareInserter.execute(row);
}

void MultiPriceWareLogic::updateToMultiPriceWare(TTowar& ware, int ref) {
    auto& indexChanger = commands_->wareIndexChanger;
    indexChanger.lTowarRef() = ref;
    indexChanger.sArtIndex() = newArticleIndex(session_);
    indexChanger.execute();

    add(ware);

    auto& turner = commands_->regularWareToMultiPriceTurner;
    turner.lTowarRef() = ref;
    turner.sGrIndex() = ware.GetGrIndex();
    turner.bWieleCen() = 1;
    turner.execute();

    commands_->groupWareUpdater.execute(ware);
}

void MultiPriceWareLogic::update(TTowar& ware, int ref, const std::string& storedGroupIndex) {
    const auto groupIndex = moveMultiPriceWareIfNeeded(storedGroupIndex, ware.GetGrIndex());
    ware.SetTowarRef(ref);
    ware.SetGrIndex(groupIndex);
    commands_->mainWareUpdater.execute(ware);
    commands_->groupWareUpdater.execute(ware);
}

std::string MultiPriceWareLogic::moveMultiPriceWareIfNeeded(const std::string& storedGroupIndex,
                                                            const std::string& groupIndex) {
    if (parentGroupIndex(storedGroupIndex) == groupIndex) return storedGroupIndex;
    const auto moved = GroupIndexGenerator::instance().genIndex(groupIndex, session_);
    auto& mover = commands_->multiPriceWareMover;
    mover.multiPriceWareGrIndex() = storedGroupIndex;
    mover.newGrIndex() = moved;
    mover.execute();
    // The grouping row is a group of the level below its new group, which may be another level than before.
    DBKernel::Sql::Command levelSetter("update towar set byCode = :byCode where sGrIndex = :sGrIndex and byTyp = " +
                                           std::to_string(kGroupingType),
                                       session_);
    levelSetter.Params["byCode"] = groupCodeBelow(groupIndex);
    levelSetter.Params["sGrIndex"] = moved;
    levelSetter.execute();
    return moved;
}

void MultiPriceWareLogic::updateToRegularWare(TTowar& ware, const std::string& storedGroupIndex,
                                              TPLUCollection& plus) {
    const auto groupIndex = moveMultiPriceWareIfNeeded(storedGroupIndex, ware.GetGrIndex());
    auto& groupDeleter = commands_->multiPriceWareGroupDeleter;
    groupDeleter.multiPriceWareGrIndex() = groupIndex;
    groupDeleter.toGrIndex() = parentGroupIndex(groupIndex);
    groupDeleter.bWieleCen() = 0;
    groupDeleter.byCode() = static_cast<int>(tcTowar);
    groupDeleter.execute();
    readBarCodes(storedGroupIndex, plus);
}

void MultiPriceWareLogic::readBarCodes(const std::string& groupIndex, TPLUCollection& plus) {
    auto& lookup = lookups_->multiPriceWareBarCodes;
    lookup.setGroup(groupIndex, 0);
    Lookup::Reply reply(lookup);
    for (auto& rows = *reply; rows.next();) {
        TPLU plu;
        plu.SetPLU(rows["splu"].asString());
        plu.SetJm(rows["njm"].asInt());
        plus.push_back(std::move(plu));
    }
}

void MultiPriceWareLogic::bindBarCodesToWare(const TTowar& ware, TPLUCollection& plus) const {
    for (auto& plu : plus) plu.SetTowarRef(ware.GetTowarRef());
}

void MultiPriceWareLogic::takeOverAndUpdateBarCodes(TTowar& ware, int ref, TPLUCollection& plus) {
    bindBarCodesToWare(ware, plus);
    BarCodes barCodes;
    readBarCodes(plus, barCodes);
    takeOverBarCodes(ware, ref, barCodes);
    updateBarCodes(static_cast<const TTowar&>(ware), plus, barCodes);
}

void MultiPriceWareLogic::takeOverBarCodes(const TTowar& ware, int ref, BarCodes& barCodes) {
    // A code is the converted product's when every row of it is. The takeover
    // statement sets every row of a code text live; a code with deleted rows
    // besides (the product's history) keeps them deleted, as the store refuses
    // a code live on two rows.
    std::vector<std::string> oneRow, severalRows;  // the codes taken over, each once
    for (const auto& barCode : barCodes) {
        const auto& code = barCode.plu;
        const auto ofCode = [&](const BarCode& other) { return other.plu == code; };
        const bool owned = std::ranges::all_of(barCodes, [&](const BarCode& other) {
            return !ofCode(other) || other.towarRef == ref;
        });
        auto& taken = std::ranges::count_if(barCodes, ofCode) == 1 ? oneRow : severalRows;
        if (owned && std::ranges::find(taken, code) == taken.end()) taken.push_back(code);
    }
    for (auto& barCode : barCodes)
        if (std::ranges::find(oneRow, barCode.plu) != oneRow.end() ||
            std::ranges::find(severalRows, barCode.plu) != severalRows.end())
            barCode.towarRef = ware.GetTowarRef();  // from here on the code counts as the ware's own

    const auto sqlList = [](const std::vector<std::string>& codes) {
        std::string list;
        for (const auto& code : codes) list += (list.empty() ? "'" : ", '") + SQLUtils::SQLString(code) + "'";
        return list;
    };
    const auto wareRef = std::to_string(ware.GetTowarRef());
    if (!oneRow.empty())
        DBKernel::Sql::Command("update plu set ltowarref = " + wareRef + ", bystatus = " + std::to_string(1) +
                                   " where splu in (" + sqlList(oneRow) + ")",
                               session_)
            .execute();
    if (!severalRows.empty())
        DBKernel::Sql::Command("update plu set ltowarref = " + wareRef + ", bystatus = case when bystatus in (" +
                                   std::to_string(PluStatus::kLive) + ", " + std::to_string(PluStatus::kLiveSecondary) +
                                   ") then 1 else bystatus end where splu in (" + sqlList(severalRows) + ")",
                               session_)
            .execute();
}

void MultiPriceWareLogic::updateBarCodes(TTowar& ware, TPLUCollection& plus, BarCodesFollow follow) {
    bindBarCodesToWare(ware, plus);
    BarCodes barCodes;
    readBarCodes(plus, barCodes);
    if (barCodes.empty()) {
        insertBarCodes(plus);
        return;
    }
    if (follow == bcfExistingWare || doesBelongToOneWare(barCodes)) {
        // Codes held by one other product stay with it and are reported
        // below, as any code of another product is (docs/host-behaviours.md).
        updateBarCodes(static_cast<const TTowar&>(ware), plus, barCodes);
        return;
    }
    rollbackWare(ware);
    outcome_ = Outcome::rejected;
}

void MultiPriceWareLogic::updateBarCodes(const TTowar& ware, TPLUCollection& plus, const BarCodes& barCodes) {
    std::string others;
    for (auto& plu : plus) {
        const auto code = plu.GetPLU();
        // The update changes every row of the code text: a code another
        // product has a row of (a live one, or a deleted one beside the
        // ware's) is not the ware's to update, and is reported.
        bool found = false, owned = true;
        for (const auto& barCode : barCodes) {
            if (barCode.plu != code) continue;
            found = true;
            owned = owned && barCode.towarRef == ware.GetTowarRef();
        }
        if (!found)
            insertBarCode(plu);
        else if (owned)
            updateBarCode(plu);
        else
            others += (others.empty() ? "" : ", ") + code;
    }
    if (!others.empty())
        log_(std::string("Towar '") + ware.GetNazwa() + "'" + " o indeksie '" + ware.GetArtIndex() + "'" +
                 " został zaimportowany bez kodów '" + others + "'" +
                 ", ponieważ przynależały one w bazie do innych towarów.",
             true);
}

void MultiPriceWareLogic::rollbackWare(const TTowar& ware) {
    commands_->wareDeleter.execute(ware);
    log_(std::string("Towar '") + ware.GetNazwa() + "'" + " o indeksie '" + ware.GetArtIndex() + "'" +
             " nie został zaimportowany, ponieważ powiązane z nim kody plu" +
             " przynależą w bazie do innych towarów.",
         true);
}

bool MultiPriceWareLogic::doesBelongToOneWare(const BarCodes& barCodes) {
    return std::all_of(barCodes.begin(), barCodes.end(),
                       [&](const BarCode& barCode) { return barCode.towarRef == barCodes.front().towarRef; });
}

void MultiPriceWareLogic::insertBarCodes(TPLUCollection& plus) {
    for (auto& plu : plus) insertBarCode(plu);
}

void MultiPriceWareLogic::insertBarCode(TPLU& plu) {
    plu.SetPluRef(static_cast<int>(DBKernel::RefPool::instance().getRef(session_)));
    plu.SetStatus(1);
    commands_->pluInserter.execute(plu);
    ++codesWritten_;
}

void MultiPriceWareLogic::updateBarCode(TPLU& plu) {
    commands_->pluUpdater.execute(plu);
    ++codesWritten_;
}

void MultiPriceWareLogic::readBarCodes(const TPLUCollection& plus, BarCodes& barCodes) {
    barCodes.clear();
    if (plus.empty()) return;
    // Codes are digits; one holding a quote is escaped, so that it is looked for as written.
    std::string sql =
        "select lpluref, splu, ltowarref from plu where splu in ('" + SQLUtils::SQLString(plus.front().GetPLU()) + "'";
    for (auto plu = plus.begin() + 1; plu != plus.end(); ++plu) sql += ", '" + SQLUtils::SQLString(plu->GetPLU()) + "'";
    sql += ")";
    DBKernel::Sql::PreparedQuery query(sql, session_);
    query.execute();
    while (query.next())
        barCodes.push_back(BarCode{query["lpluref"].asInt(), query["splu"].asString(), query["ltowarref"].asInt()});
}

}  // namespace Towar
