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

void exec(const TSessionHolder& session, const std::string& statement) {
    DBKernel::Sql::Command(statement, session).execute();
}

std::int64_t count(const TSessionHolder& session, const std::string& table) {
    DBKernel::Sql::OpenedQuery query("select count(*) n from " + table, session);
    return query["n"].asInt64();
}

std::string rows(const TSessionHolder& session, const std::string& query, const std::string& separator) {
    DBKernel::Sql::OpenedQuery result(query, session);
    std::string text;
    while (!result.empty() && result.next()) {
        for (std::size_t c = 0; c < result.columnCount(); ++c) {
            const auto field = result.field(c);
            text += (c > 0 ? separator : "") + (field.isNull() ? "-" : field.asString());
        }
        text += "\n";
    }
    return text;
}

std::string value(const TSessionHolder& session, const std::string& query) {
    DBKernel::Sql::OpenedQuery result(query, session);
    if (result.empty()) return "<none>";
    return result.field(0).isNull() ? "<null>" : result.field(0).asString();
}

void reserveIdsThrough(const std::filesystem::path& directory, std::int64_t ref) {
    DBKernel::StoreDatabase::open(DBKernel::DatabaseLocation::ofStore(directory), {})->reserveRefsThrough(ref);
}

}  // namespace TestSupport
