#include "tests/Core/Database/DatabaseTestSupport.h"

namespace DatabaseTest {

void addProduct(const TSessionHolder& session, std::int64_t id, const std::string& name,
                const std::string& groupIndex) {
    DBKernel::Sql::Command insert(
        "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (:lTowarRef, :sNazwa, :sGrIndex, 6)", session);
    insert.Params["lTowarRef"] = id;
    insert.Params["sNazwa"] = name;
    insert.Params["sGrIndex"] = groupIndex;
    insert.execute();
}

void addCode(const TSessionHolder& session, std::int64_t id, std::int64_t productId, const std::string& code,
             int status) {
    DBKernel::Sql::Command insert(
        "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (:lPluRef, :sPLU, :lTowarRef, 1, :byStatus)",
        session);
    insert.Params["lPluRef"] = id;
    insert.Params["sPLU"] = code;
    insert.Params["lTowarRef"] = productId;
    insert.Params["byStatus"] = status;
    insert.execute();
}

std::int64_t count(const TSessionHolder& session, const std::string& table) {
    DBKernel::Sql::OpenedQuery query("select count(*) n from " + table, session);
    return query["n"].asInt64();
}

}  // namespace DatabaseTest
