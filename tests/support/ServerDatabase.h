#pragma once
// The store database server of a test run. The suite runs against SQLite, and
// once more against a PostgreSQL server when TOWARY_TEST_POSTGRESQL is set (the
// test command runs it under pg_virtualenv, whose PG* variables name the
// server): every store a test makes then gets a new database of its own there,
// dropped when the store goes.

#include <string>

namespace TestSupport {

// True on the PostgreSQL run of the suite.
bool onServer();

// A new database on the test server, dropped (whoever is still connected)
// when the object goes. Only on the PostgreSQL run.
class ServerDatabase {
public:
    enum Contents { empty, withStoreSchema };

    // A store's schema comes as a copy of a database the first such store of
    // the run migrated, which the server makes far faster than a migration.
    explicit ServerDatabase(Contents contents = empty);
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    // libpq's connection text of the database ("dbname=..."; the rest from the PG* variables).
    const std::string& connection() const { return connection_; }

private:
    std::string name_;
    std::string connection_;
};

}  // namespace TestSupport
