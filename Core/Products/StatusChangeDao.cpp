#include "Core/Products/StatusChangeDao.h"

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/tools/DayNumber.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace Orvel::Products {

StatusChanges StatusChangeDao::load(TSessionHolder session) const {
    DBKernel::Sql::OpenedQuery rows(
        "select z.statuschangeid, z.productid, t.sartindex, t.snazwa, z.status, z.changedate, z.applied, z.czasMod"
        " from StatusChange z, towar t where t.ltowarref = z.productid"
        " order by z.changedate, t.sartindex, z.statuschangeid",
        session);
    StatusChanges changes;
    while (rows.next())
        changes.add(std::make_shared<StatusChange>(StatusChange{
            rows["statuschangeid"].asInt(), rows["productid"].asInt(), rows["sartindex"].asString(),
            rows["snazwa"].asString(), rows["status"].asInt(), rows["changedate"].asInt(),
            rows["applied"].asInt64() == 1, rows["czasMod"].asDouble(), false}));
    return changes;
}

void StatusChangeDao::save(StatusChanges& changes, TSessionHolder session) const {
    const double time = Core::DayNumber::now();
    DBKernel::TransactionGuard transaction(session);
    DBKernel::Sql::Command removal("delete from StatusChange where statuschangeid = :id", session);
    for (const auto& change : changes.removed())
        if (change->id != 0) {
            removal.Params["id"] = change->id;
            removal.execute();
        }
    // An edited change is deleted and written anew, all deletions first: changes of one product that swapped
    // days would otherwise meet on the table's one-change-a-day key halfway through.
    DBKernel::Sql::Command reopening(
        "delete from StatusChange where statuschangeid = :id and nvl(applied, 0) = 0", session);
    for (const auto& change : changes.items())
        if (change->edited && change->id != 0) {
            reopening.Params["id"] = change->id;
            if (reopening.execute() != 1)
                throw std::runtime_error("Zmiany statusu " + std::to_string(change->id) +
                                         " nie ma już w sklepie albo została wykonana; odśwież okno.");
        }
    DBKernel::Sql::Command insert(
        "insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod)"
        " values (:id, :product, :status, :day, 0, :time)",
        session);
    std::vector<int> ids;
    for (const auto& change : changes.items()) {
        if (!change->edited) continue;
        const int id = change->id != 0 ? change->id
                                       : static_cast<int>(DBKernel::RefPool::instance().getRef(session));
        insert.Params["id"] = id;
        insert.Params["product"] = change->productId;
        insert.Params["status"] = change->status;
        insert.Params["day"] = change->changeDate;
        insert.Params["time"] = time;
        insert.execute();
        ids.push_back(id);
    }
    transaction.commit();
    // Only a collection saved whole learns its ids and times.
    auto id = ids.begin();
    for (const auto& change : changes.items()) {
        if (!change->edited) continue;
        change->id = *id++;
        change->modifiedAt = time;
        change->edited = false;
    }
}

}  // namespace Orvel::Products
