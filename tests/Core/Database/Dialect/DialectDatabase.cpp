#include "tests/Core/Database/Dialect/DialectDatabase.h"

#include "Core/Database/Dialect/Dialect.h"

#include <boost/algorithm/string/case_conv.hpp>

#include <stdexcept>

namespace TestSupport {
namespace {

sqlite3* open() {
    sqlite3* connection = nullptr;
    if (sqlite3_open(":memory:", &connection) != SQLITE_OK) throw std::runtime_error("sqlite3_open failed");
    return connection;
}

void newref(sqlite3_context* context, int, sqlite3_value**) {
    auto* next = static_cast<std::int64_t*>(sqlite3_user_data(context));
    sqlite3_result_int64(context, (*next)++);
}

}  // namespace

DialectDatabase::DialectDatabase() : connection_(open(), sqlite3_close) {
    DBKernel::Dialect::registerFunctions(handle());
    sqlite3_create_function_v2(handle(), "newref", 0, SQLITE_UTF8, &nextRef_, newref, nullptr, nullptr, nullptr);
    exec("create table dual (dummy text); insert into dual values ('X')");
}

void DialectDatabase::exec(const std::string& sqlite) {
    char* error = nullptr;
    if (sqlite3_exec(handle(), sqlite.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error;
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sqlite);
    }
}

Rows DialectDatabase::query(const std::string& sqlite) {
    return step(sqlite, {});
}

Rows DialectDatabase::run(std::string_view oracle, const Params& params) {
    Rows rows;
    for (const std::string& statement : DBKernel::Dialect::translate(oracle).statements) rows = step(statement, params);
    return rows;
}

Rows DialectDatabase::step(const std::string& sqlite, const Params& params) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(handle(), sqlite.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(handle())) + " in: " + sqlite);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    for (const auto& [name, value] : params) {
        const int index = sqlite3_bind_parameter_index(raw, (":" + boost::algorithm::to_lower_copy(name)).c_str());
        if (index == 0) continue;
        if (const auto* integer = std::get_if<std::int64_t>(&value)) sqlite3_bind_int64(raw, index, *integer);
        if (const auto* real = std::get_if<double>(&value)) sqlite3_bind_double(raw, index, *real);
        if (const auto* text = std::get_if<std::string>(&value)) {
            sqlite3_bind_text(raw, index, text->c_str(), static_cast<int>(text->size()), SQLITE_TRANSIENT);
        }
    }
    Rows rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        for (int column = 0; column < sqlite3_column_count(raw); ++column) {
            const auto* text = sqlite3_column_text(raw, column);
            row.emplace_back(text == nullptr ? "NULL" : reinterpret_cast<const char*>(text));
        }
    }
    if (status != SQLITE_DONE) throw std::runtime_error(std::string(sqlite3_errmsg(handle())) + " in: " + sqlite);
    return rows;
}

}  // namespace TestSupport
