#pragma once
// The SQLite engine behind Backend::Connection: a store database file in WAL
// mode with foreign keys on, a busy timeout, Oracle's case-sensitive LIKE, and
// the Oracle dialect translated to SQLite's. Written on the C interface so
// that reading a column costs no more than the engine's own call.

#include "Core/Database/Backend/Backend.h"

#include <filesystem>
#include <memory>

namespace DBKernel::Backend {

// Opens the file; create: make it when it does not exist (a new store).
std::unique_ptr<Connection> openSqlite(const std::filesystem::path& file, const ConnectionOptions& options,
                                       bool create);

}  // namespace DBKernel::Backend
