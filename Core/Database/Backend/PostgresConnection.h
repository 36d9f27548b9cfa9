#pragma once
// The PostgreSQL engine behind Backend::Connection: one libpq connection to a
// store database on a server that several workstations share. Statements of
// the Oracle dialect are translated by DBKernel::Dialect for PostgreSQL and
// prepared on the server; rows are locked by the server ("for update nowait"
// refuses at once a row another workstation holds), the store's routines are
// the server's own (the schema's routines script), and ids come from a
// sequence. A failed statement undoes only itself, as on Oracle: inside a
// transaction each runs under a savepoint of its own.
// Failures carry, in code(), SQLite's result code of the same kind (a unique
// key, a foreign key, a rule of the store, a lock), so that the layer and
// Core::userMessage tell them apart without knowing the engine.

#include "Core/Database/Backend/Backend.h"

#include <memory>
#include <string>

namespace DBKernel::Backend {

// Connects with libpq's connection text (a URI or "key=value" pairs; libpq's
// PG* variables and ~/.pgpass fill in what it leaves out). `shown` names the
// server in messages (without a password).
std::unique_ptr<Connection> openPostgres(const std::string& connection, const std::string& shown,
                                         const ConnectionOptions& options);

}  // namespace DBKernel::Backend
