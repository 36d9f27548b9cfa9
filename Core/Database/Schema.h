#pragma once
// What the store schema (schema/ in the repository) gives the database layer:
// its migrations and its routines. Defined there, compiled into libCore.

#include <span>
#include <string_view>

namespace DBKernel {
class Routines;
}

namespace DBKernel::Schema {

// One numbered step of the schema, a script of the engine's language. The
// database records the number of the last step applied.
struct Migration {
    int number;
    std::string_view name;
    std::string_view script;
};

// Every migration of a SQLite store, in order of their rising numbers, from 1.
std::span<const Migration> migrations();

// The same migrations for a PostgreSQL store, a second list rather than an
// engine argument: each has the number and name of its SQLite one (the build
// refuses two lists that differ) and gives the same schema, as a script of
// PostgreSQL's SQL that runs inside the caller's transaction.
std::span<const Migration> postgresqlMigrations();

// The script that gives a PostgreSQL store the functions its translated
// statements call (create or replace: run after the migrations whenever a
// store is made or upgraded).
std::string_view postgresqlRoutines();

// The version of that script (schema/postgresql/RoutinesVersion.cpp), raised
// with each change: a server runs the newest routines any build gave it.
int postgresqlRoutinesVersion();

// Adds the store's functions and procedures.
void registerRoutines(Routines& routines);

}  // namespace DBKernel::Schema
