// The dialect's functions as a loadable SQLite extension, towary_sqlite.so. The
// store's indexes on expressions call reverse_chars and polish_upper, so a tool
// writing to towar (the sqlite3 shell, a support script) needs them, and needs
// them to give what the store's sessions give: this defines on the tool's
// connection the very functions registerFunctions defines on theirs.
//   sqlite3 -cmd '.load /path/to/towary_sqlite' DIR/towary.db "insert into towar ..."

#include "Core/Database/Dialect/Dialect.h"

#include <sqlite3.h>

#include <exception>

namespace {

// The connection comes from the host's SQLite, and the functions are defined through the
// SQLite this library links: both must be one library. A host with SQLite linked into it
// passes routines of its own copy, and its connection would mean nothing to this one.
const void* const kLinkedCreateFunction = reinterpret_cast<const void*>(&sqlite3_create_function_v2);

}  // namespace

#include <sqlite3ext.h>

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* connection, char** error,
                                                                             const sqlite3_api_routines* api) {
    if (reinterpret_cast<const void*>(api->create_function_v2) != kLinkedCreateFunction) {
        *error = api->mprintf("%s", "towary_sqlite: program musi używać systemowej biblioteki SQLite (libsqlite3)");
        return SQLITE_ERROR;
    }
    try {
        DBKernel::Dialect::registerFunctions(connection);
    } catch (const std::exception& e) {
        *error = api->mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
    return SQLITE_OK;
}
