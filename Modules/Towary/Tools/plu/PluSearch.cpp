#include "Modules/Towary/Tools/plu/PluSearch.h"

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Query.h"
#include "Core/Plu/Plu.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <memory_resource>
#include <string>
#include <unordered_map>

namespace PLU {
namespace {

constexpr int kMultiPriceGroupType = 9;

const std::string kLiveCodes = std::string(" select p.splu plu, p.lpluref ID") + " , t.sNazwa PNAME" +
                               ", t.sArtIndex PINDEX" + ", t.ltowarref PRODUCTID" + " from plu p, towar t" +
                               " where p.ltowarref = t.ltowarref" + "   and (t.bycode = " +
                               std::to_string(Towar::tcTowar) + " or t.bytyp = " +
                               std::to_string(kMultiPriceGroupType) + ")" + "   and p.bystatus in (" +
                               std::to_string(PluStatus::kLive) + ", " + std::to_string(PluStatus::kLiveSecondary) + ")";

// A canonical text as the search holds it. While one row in canonical form is
// all it has, only that row's ids are kept: most codes are in order, and
// keeping their names would make the search as big as the table. Once the
// text has a second row, or a row in another form, every row is kept whole.
struct Slot {
    unsigned int pluRef = 0;
    unsigned int productId = 0;
    PluInfoListPtr rows;
};

// The columns of the search, found once: a field follows its query from row to row.
struct Columns {
    explicit Columns(const DBKernel::Sql::Query& query)
        : plu(query["PLU"]), id(query["ID"]), productId(query["PRODUCTID"]), name(query["PNAME"]),
          index(query["PINDEX"]) {}

    PluInfoPtr info() const {
        auto info = std::make_shared<PluInfo>();
        info->pluRef = static_cast<unsigned int>(id.asInt64());
        info->productId = static_cast<unsigned int>(productId.asInt64());
        info->plu = plu.asString();
        info->productName = name.asString();
        info->productIndex = index.asString();
        return info;
    }

    DBKernel::Sql::Field plu, id, productId, name, index;
};

// The lone canonical row of a slot made whole again: its product's name and
// article index read by the product id.
PluInfoPtr lonelyRow(const std::string& canonical, const Slot& slot, DBKernel::Sql::PreparedQuery& product) {
    auto info = std::make_shared<PluInfo>();
    info->pluRef = slot.pluRef;
    info->productId = slot.productId;
    info->plu = canonical;
    product.Params["productId"] = static_cast<std::int64_t>(slot.productId);
    product.execute();
    info->productName = product["sNazwa"].asString();
    info->productIndex = product["sArtIndex"].asString();
    return info;
}

}  // namespace

PluFindings findPluCodes(TSessionHolder session, const Plu::TPluConfig& config) {
    PluFindings findings;
    // One slot a live code: their nodes come from an arena released at once at the end.
    std::pmr::monotonic_buffer_resource arena;
    std::pmr::unordered_map<std::pmr::string, Slot> slots(&arena);
    DBKernel::Sql::PreparedQuery product("select t.sNazwa, t.sArtIndex from towar t where t.ltowarref = :productId",
                                         session);
    DBKernel::Sql::OpenedQuery rows(kLiveCodes, session);
    const Columns columns(rows);
    while (rows.next()) {
        const std::string stored = columns.plu.asString();
        std::string canonical;
        try {
            canonical = config.canonical(stored).raw;
        } catch (const Plu::EInvalidPlu& e) {
            findings.notCodes.push_back({columns.info(), e.what()});
            continue;
        }
        const bool inOrder = canonical == stored;
        auto [slot, added] = slots.try_emplace(std::pmr::string(canonical, &arena));
        if (added && inOrder) {
            slot->second.pluRef = static_cast<unsigned int>(columns.id.asInt64());
            slot->second.productId = static_cast<unsigned int>(columns.productId.asInt64());
            continue;
        }
        if (!slot->second.rows) {
            slot->second.rows = std::make_shared<PluInfoList>();
            if (!added) slot->second.rows->push_back(lonelyRow(canonical, slot->second, product));
            findings.groups.emplace(canonical, slot->second.rows);
        }
        auto info = columns.info();
        if (!inOrder) info->corrected = std::move(canonical);
        slot->second.rows->push_back(std::move(info));
    }
    return findings;
}

PluCheckResult sortPluCodes(PluFindings findings) {
    PluCheckResult result;
    result.notCodes = std::move(findings.notCodes);
    for (const auto& [canonical, rows] : findings.groups) {
        if (rows->size() == 1) {
            if (rows->front()->plu != canonical) result.toCorrect.push_back(rows->front());
            continue;
        }
        const std::string& firstIndex = rows->front()->productIndex;
        bool present = false;
        bool conflict = false;
        PluInfoList redundant;
        for (const auto& row : *rows) {
            if (row->productIndex != firstIndex) {
                result.conflicts.emplace(canonical, rows);
                conflict = true;
                break;
            }
            if (row->plu == canonical)
                present = true;
            else
                redundant.push_back(row);
        }
        if (conflict) continue;
        auto next = redundant.begin();
        if (!present && next != redundant.end()) result.toCorrect.push_back(*next++);
        result.toDelete.insert(result.toDelete.end(), next, redundant.end());
    }
    return result;
}

PluCheckResult checkPlu(TSessionHolder session) {
    return sortPluCodes(findPluCodes(std::move(session), *Plu::pluConfig()));
}

}  // namespace PLU
