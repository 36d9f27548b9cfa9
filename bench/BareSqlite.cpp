#include "bench/BareSqlite.h"

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Store/StoreLocation.h"

#include <stdexcept>

namespace Bench {

sqlite3* openBare() {
    sqlite3* db = nullptr;
    // Without SQLite's own mutexes, as the layer opens its connections: one thread uses it.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db, flags, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    DBKernel::Dialect::registerFunctions(db);
    return db;
}

sqlite3_stmt* prepare(sqlite3* db, const std::string& text) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, text.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    return statement;
}

void exec(sqlite3* db, const std::string& text) {
    if (sqlite3_exec(db, text.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

}  // namespace Bench
