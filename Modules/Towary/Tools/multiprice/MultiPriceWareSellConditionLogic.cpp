#include "Modules/Towary/Tools/multiprice/MultiPriceWareSellConditionLogic.h"

#include "Core/Database/RefPool.h"
#include "Core/Debug/Debug.h"
#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareLogic.h"
#include "Modules/Towary/Tools/products/Lookup.h"
#include "Modules/Towary/Tools/products/WareCommands.h"

namespace Towar {
namespace {

constexpr int kDefaultElementType = 4;

class LookupElementByPrice : public Lookup {
public:
    explicit LookupElementByPrice(TSessionHolder session)
        : Lookup("select * from (select ltowarref from (select 0, ltowarref from warsprz where ltowarref in (select "
                 "ltowarref from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen) and round(dcenasprzed, "
                 "2) = round(:dCenaSprzed, 2) union select 1, ltowarref from towar where sgrindex = :sGrIndex and "
                 "bwielecen = :bWieleCen and not exists (select ltowarref from warsprz where ltowarref in (select "
                 "ltowarref from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen))) order by 1) where "
                 "rownum = 1",
                 std::move(session)) {}
};

class LookupElementType : public Lookup {
public:
    explicit LookupElementType(TSessionHolder session)
        : Lookup("select bytyp from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen and bytyp <> " +
                     std::to_string(kGroupingType) + " and rownum = 1",
                 std::move(session)) {}
};

}  // namespace

struct MultiPriceWareSellConditionLogic::Commands {
    explicit Commands(const TSessionHolder& session) : wareInserter(session), wareDeleter(session) {}
    WareInserter wareInserter;
    WareDeleter wareDeleter;
};

struct MultiPriceWareSellConditionLogic::Lookups {
    explicit Lookups(const TSessionHolder& session) : elementByPrice(session), elementType(session) {}
    LookupElementByPrice elementByPrice;
    LookupElementType elementType;
};

MultiPriceWareSellConditionLogic::MultiPriceWareSellConditionLogic(TSessionHolder session, ImportLog,
                                                                   bool multiPriceEnabled)
    : handler_(multiPriceEnabled ? &MultiPriceWareSellConditionLogic::getElementProper
                                 : &MultiPriceWareSellConditionLogic::getElementNull),
      session_(std::move(session)) {
    if (!multiPriceEnabled) return;
    commands_ = std::make_unique<Commands>(session_);
    lookups_ = std::make_unique<Lookups>(session_);
}

MultiPriceWareSellConditionLogic::~MultiPriceWareSellConditionLogic() = default;

TTowar* MultiPriceWareSellConditionLogic::getMultiPriceElement(TTowar& ware, double price, bool& created) {
    return (this->*handler_)(ware, price, created);
}

TTowar* MultiPriceWareSellConditionLogic::getElementNull(TTowar&, double, bool& created) {
    created = false;
    return nullptr;
}

TTowar* MultiPriceWareSellConditionLogic::getElementProper(TTowar& ware, double price, bool& created) {
    created = false;
    if (ware.GetTyp() != kGroupingType) return nullptr;
    if (!isElementWithPrice(ware, price)) {
        created = true;
        createElement(ware);
    }
    return &ware;
}

bool MultiPriceWareSellConditionLogic::isElementWithPrice(TTowar& ware, double price) {
    auto& lookup = lookups_->elementByPrice;
    lookup.Params["dCenaSprzed"] = price;
    lookup.Params["bWieleCen"] = 1;
    lookup.Params["sGrIndex"] = ware.GetGrIndex();
    Lookup::Reply reply(lookup);
    if (reply.empty()) return false;
    // The row is the element's id alone: the ware keeps its other fields.
    ware.SetTowarRef(reply["ltowarref"].asInt());
    return true;
}

void MultiPriceWareSellConditionLogic::createElement(TTowar& ware) {
    ware.SetTowarRef(static_cast<int>(DBKernel::RefPool::instance().getRef(session_)));
    ware.SetWieleCen(1);
    auto& generator = ArtIndexGenerator::instance();
    ware.SetArtIndex(generator.genIndex(session_, generator.getLastGeneratedIndex()));
    ware.SetCode(tcTowar);
    ware.SetTyp(getElementType(ware.GetGrIndex()));
    commands_->wareInserter.execute(ware);
}

int MultiPriceWareSellConditionLogic::getElementType(const std::string& groupIndex) {
    auto& lookup = lookups_->elementType;
    lookup.Params["sGrIndex"] = groupIndex;
    lookup.Params["bWieleCen"] = 1;
    Lookup::Reply reply(lookup);
    return reply.empty() ? kDefaultElementType : reply["bytyp"].asInt();
}

MultiPriceWareSellConditionLogic::WareGuard::WareGuard(MultiPriceWareSellConditionLogic& logic, TTowar* element)
    : logic_(logic), element_(element) {}

MultiPriceWareSellConditionLogic::WareGuard::~WareGuard() {
    // With multi-price handling off the logic makes no element, and has no deleter.
    if (committed_ || disabled_ || element_ == nullptr || !logic_.commands_) return;
    try {
        logic_.commands_->wareDeleter.execute(*element_);
    } catch (const std::exception& e) {
        // Left while an exception passes: the caller's transaction, rolled
        // back, takes the element with it.
        Core::Debug::logLine(std::string("Element towaru wielocenowego nie został usunięty: ") + e.what(),
                             Core::SrcInfo{"Modules/Towary/Tools/multiprice/MultiPriceWareSellConditionLogic",
                                           __LINE__, "WareGuard::~WareGuard"});
    }
}

}  // namespace Towar
