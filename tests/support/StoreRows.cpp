#include "tests/support/StoreRows.h"

#include "Core/Database/StoreDatabase.h"

namespace TestSupport {

void addProduct(const TSessionHolder& session, std::int64_t id, const std::string& name, const std::string& groupIndex,
                const std::string& articleIndex) {
    DBKernel::Sql::Command insert("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen) "
                                  "values (:lTowarRef, :sNazwa, :sGrIndex, :sArtIndex, 6, 0)",
                                  session);
    insert.Params["lTowarRef"] = id;
    insert.Params["sNazwa"] = name;
    insert.Params["sGrIndex"] = groupIndex;
    if (articleIndex.empty())
        insert.Params["sArtIndex"].clear();
    else
        insert.Params["sArtIndex"] = articleIndex;
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

void reserveIdsThrough(const std::filesystem::path& directory, std::int64_t ref) {
    DBKernel::StoreDatabase::open(DBKernel::DatabaseLocation::ofStore(directory), {})->reserveRefsThrough(ref);
}

}  // namespace TestSupport
