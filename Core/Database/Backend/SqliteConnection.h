#pragma once
// The SQLite engine behind Backend::Connection: a store database file in WAL
// mode with foreign keys on and a busy timeout; statements of the Oracle
// dialect are translated by DBKernel::Dialect, whose functions (decode, nvl,
// Polish upper and lower, Oracle's case-sensitive LIKE...) every connection
// gets. Written on the C interface so that reading a column costs no more
// than the engine's own call.

#include "Core/Database/Backend/Backend.h"

#include <filesystem>
#include <memory>

namespace DBKernel::Backend {

// Opens the file; create: make it when it does not exist (a new store). An
// existing file whose file or directory this process may not write is opened
// for reading, as options.readOnly asks, so that such a store can still be read.
std::unique_ptr<Connection> openSqlite(const std::filesystem::path& file, const ConnectionOptions& options,
                                       bool create);

}  // namespace DBKernel::Backend
