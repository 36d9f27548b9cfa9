#include "Core/Products/CommissionGroupDao.h"

#include "Core/Database/Query.h"

namespace Towar {

CommissionGroupDao::~CommissionGroupDao() = default;

CommissionGroups CommissionGroupDao::load(TSessionHolder session) const {
    DBKernel::Sql::OpenedQuery rows(
        "select CommissionGroupId, CommissionNumber, Name, CommissionValue, DateFrom from CommissionGroup"
        " order by CommissionNumber, CommissionGroupId",
        session);
    CommissionGroups groups;
    while (rows.next())
        groups.add(std::make_shared<CommissionGroup>(CommissionGroup{
            rows["CommissionGroupId"].asInt(), rows["CommissionNumber"].asInt(), rows["Name"].asString(),
            rows["CommissionValue"].asDouble(), rows["DateFrom"].asInt()}));
    return groups;
}

void CommissionGroupDao::save(const CommissionGroups& groups, TSessionHolder session) const {
    DBKernel::TransactionGuard transaction(session);
    DBKernel::Sql::Command remove("delete from CommissionGroup where CommissionGroupId = :id", session);
    for (const auto& group : groups.removed()) {
        remove.Params["id"] = group->id;
        remove.execute();
    }
    transaction.commit();
}

Core::Token registerCommissionGroupDao() {
    return Orvel::Dao::DaoFactory::instance().registerDao(CommissionGroupDao::kName,
                                                          [] { return std::make_shared<CommissionGroupDao>(); });
}

}  // namespace Towar
