#pragma once
// The server side of a benchmark. Its cases on a PostgreSQL server run when
// libpq's PG* variables name one (PGDATABASE set, as `pg_virtualenv` sets it):
// a store whose database is a new one on that server, and the baselines' bare
// libpq connection to it in the same process. Each call throws
// std::runtime_error with the server's message when it fails.

#include "tests/support/ServerDatabase.h"
#include "tests/support/TempStore.h"

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <string>

namespace Bench {

// True when the PG* variables name a server to run the server cases on.
bool serverNamed();

// A store directory naming a new, empty store database on the server, both
// removed when the object goes.
class ServerStore {
public:
    ServerStore();
    // Makes it the process's current store (the SQLite cases use another).
    void use() const;
    const std::string& connection() const { return database_.connection(); }

private:
    TestSupport::TempStore directory_{TestSupport::TempStore::directoryOnly};
    TestSupport::ServerDatabase database_;
};

struct ResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultClearer>;

// The value of a row's column as the layer reads it: a whole number, a
// fractional one, a text.
std::int64_t integerAt(const PGresult* result, int row, int column);
double numberAt(const PGresult* result, int row, int column);
std::string textAt(const PGresult* result, int row, int column);

// A bare connection to the store's database, its statements prepared by name.
class BarePostgres {
public:
    explicit BarePostgres(const ServerStore& store);
    ~BarePostgres();
    BarePostgres(const BarePostgres&) = delete;
    BarePostgres& operator=(const BarePostgres&) = delete;

    void prepare(const char* name, const std::string& sql, int parameters);
    // Runs the prepared statement with those values (as text); its rows.
    Result run(const char* name, int count, const char* const* values);

private:
    PGconn* connection_;
};

}  // namespace Bench
