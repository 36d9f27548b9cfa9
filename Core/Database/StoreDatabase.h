#pragma once
// The store database as a whole: making a new one, telling a store database
// from any other file, and bringing the schema of an existing one up to this
// build's migrations, on either engine (a file, or a database on a server).

#include "Core/Database/Backend/Backend.h"
#include "Core/Database/DatabaseLocation.h"

#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace DBKernel::StoreDatabase {

// Makes a new store database with the whole schema: a new file (refusing one
// that exists), or the schema in an existing database on a server (refusing
// one that already holds a store).
void create(const DatabaseLocation& location);

// Makes the whole schema in the open transaction of `connection`, on an empty
// database on a server (refusing one that already holds a store), so that
// what the caller writes next in it goes with the schema or nothing does.
void createIn(Backend::Connection& connection, const DatabaseLocation& location);

// Opens the store database. Refuses, saying what to do, a file that holds no
// database at all (an empty file, any other kind of file): a store is never
// rebuilt over it.
std::unique_ptr<Backend::Connection> open(const DatabaseLocation& location, const Backend::ConnectionOptions& options);

// Applies the migrations the store database lacks (and, on a server, this
// build's routines), all in one transaction, so a store made by an older build
// is upgraded in full or not at all. Refuses a database without the store's
// schema, one whose schema is newer than this build's, and one missing a table
// of the schema.
void upgrade(Backend::Connection& connection, const DatabaseLocation& location);

// The tables, in lower case, that the whole schema of a store file makes.
const std::set<std::string>& schemaTables();

// The refusal of a store database that lacks part of what a store holds
// (`what`: "brak tabel ..."), saying what to do about it.
std::runtime_error incomplete(const DatabaseLocation& location, const std::string& what);

// The refusal of a store whose list (`table`, described as `what`: "stawek VAT")
// holds no rows: a store left half made, which no work may run on.
std::runtime_error emptyList(const DatabaseLocation& location, std::string_view table, std::string_view what);

}  // namespace DBKernel::StoreDatabase
