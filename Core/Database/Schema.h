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

// Every migration, in order of their rising numbers, from 1.
std::span<const Migration> migrations();

// Adds the store's functions and procedures.
void registerRoutines(Routines& routines);

}  // namespace DBKernel::Schema
