#include "Core/Database/Dialect/ColumnNames.h"

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTokenizer.h"
#include "Core/Database/Schema.h"
#include "Core/tools/IgnoringCase.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace DBKernel::Dialect {
namespace {

struct Closer {
    void operator()(sqlite3* connection) const { sqlite3_close(connection); }
};

void run(sqlite3* connection, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errmsg(connection);
        sqlite3_free(error);
        throw std::runtime_error("Nie można odczytać nazw kolumn schematu sklepu: " + message);
    }
}

// Every column of the store's tables and views, by its folded name, as the SQLite
// migrations spell it. Read once per process from an empty database in memory that
// the migrations build, so the schema has one source.
std::unordered_map<std::string, std::string> schemaSpellings() {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, Closer> connection(raw);
    if (opened != SQLITE_OK) throw std::runtime_error("Nie można otworzyć bazy w pamięci");
    registerFunctions(raw);
    for (const auto& migration : Schema::migrations()) run(raw, std::string(migration.script));
    std::unordered_map<std::string, std::string> spellings;
    const std::string columns =
        "select p.name from sqlite_schema s, pragma_table_info(s.name) p where s.type in ('table', 'view')";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw, columns.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("Nie można odczytać nazw kolumn schematu sklepu: ") + sqlite3_errmsg(raw));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const std::string name(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        spellings.try_emplace(Core::lowerAscii(name), name);
    }
    sqlite3_finalize(statement);
    return spellings;
}

const std::unordered_map<std::string, std::string>& schemaSpelling() {
    static const auto spellings = schemaSpellings();
    return spellings;
}

}  // namespace

ColumnNames::ColumnNames(std::string_view statement) {
    for (const auto& token : tokenize(statement))
        if (token.kind == Token::Kind::Word) spelled_.try_emplace(Core::lowerAscii(token.text), token.text);
}

std::string ColumnNames::spelling(const std::string& serverName) const {
    if (const auto found = spelled_.find(serverName); found != spelled_.end()) return found->second;
    const auto& schema = schemaSpelling();
    if (const auto found = schema.find(serverName); found != schema.end()) return found->second;
    return serverName;
}

}  // namespace DBKernel::Dialect
