#include "tests/Core/Database/Dialect/DialectDatabase.h"

#include "Core/Database/Dialect/Dialect.h"

#include <stdexcept>

namespace TestSupport {
namespace {

sqlite3* openDialectDatabase() {
    sqlite3* connection = nullptr;
    if (sqlite3_open(":memory:", &connection) != SQLITE_OK) throw std::runtime_error("sqlite3_open failed");
    DBKernel::Dialect::registerFunctions(connection);
    return connection;
}

}  // namespace

DialectDatabase::DialectDatabase() : connection_(openDialectDatabase(), sqlite3_close) {}

void DialectDatabase::exec(const std::string& sqlite) {
    if (sqlite3_exec(connection_.get(), sqlite.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(connection_.get())) + " in: " + sqlite);
}

Rows DialectDatabase::query(const std::string& sqlite) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sqlite.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(connection_.get())) + " in: " + sqlite);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    Rows rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        for (int column = 0; column < sqlite3_column_count(raw); ++column) {
            const auto* text = sqlite3_column_text(raw, column);
            row.emplace_back(text == nullptr ? "NULL" : reinterpret_cast<const char*>(text));
        }
    }
    if (status != SQLITE_DONE) throw std::runtime_error(std::string(sqlite3_errmsg(connection_.get())) + " in: " + sqlite);
    return rows;
}

}  // namespace TestSupport
