#include "tests/support/StoreRows.h"

#include "Core/Database/StoreDatabase.h"

namespace TestSupport {
namespace {

void setParams(DBKernel::Sql::Query& query, const Bindings& parameters) {
    for (const auto& [name, value] : parameters) query.Params[name].set(value);
}

}  // namespace

void addProduct(const TSessionHolder& session, std::int64_t id, const std::string& name, const std::string& groupIndex,
                const std::string& articleIndex) {
    exec(session,
         "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen) "
         "values (:id, :name, :groupIndex, :articleIndex, 6, 0)",
         {{"id", id}, {"name", name}, {"groupIndex", groupIndex},
          {"articleIndex", articleIndex.empty() ? DBKernel::Value() : DBKernel::Value(articleIndex)}});
}

void addCode(const TSessionHolder& session, std::int64_t id, std::int64_t productId, const std::string& code,
             int status) {
    exec(session, "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (:id, :code, :product, 1, :status)",
         {{"id", id}, {"code", code}, {"product", productId}, {"status", std::int64_t{status}}});
}

void exec(const TSessionHolder& session, const std::string& statement, const Bindings& parameters) {
    changed(session, statement, parameters);
}

std::int64_t changed(const TSessionHolder& session, const std::string& statement, const Bindings& parameters) {
    DBKernel::Sql::Command command(statement, session);
    setParams(command, parameters);
    return command.execute();
}

std::int64_t count(const TSessionHolder& session, const std::string& table) {
    DBKernel::Sql::OpenedQuery query("select count(*) n from " + table, session);
    return query["n"].asInt64();
}

std::string rows(DBKernel::Sql::Query& result, const std::string& separator) {
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

std::string rows(const TSessionHolder& session, const std::string& query, const std::string& separator) {
    DBKernel::Sql::OpenedQuery result(query, session);
    return rows(result, separator);
}

std::string rows(const TSessionHolder& session, const std::string& query, const Bindings& parameters) {
    DBKernel::Sql::PreparedQuery read(query, session);
    setParams(read, parameters);
    read.execute();
    return rows(read);
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
