#pragma once
// The store database as a whole: making a new one, telling a store database
// from any other file, and bringing the schema of an existing one up to this
// build's migrations.

#include "Core/Database/Backend/Backend.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace DBKernel::StoreDatabase {

// Makes a new store database in the file with the whole schema; refuses a
// file that exists.
void create(const std::filesystem::path& file);

// Opens the store database in the file. Refuses, saying what to do, a file
// that holds no database at all (an empty file, any other kind of file): a
// store is never rebuilt over it.
std::unique_ptr<Backend::Connection> open(const std::filesystem::path& file, const Backend::ConnectionOptions& options);

// Applies the migrations the store database in the file lacks, all in one
// transaction, so a store made by an older build is upgraded in full or not at
// all. Refuses a database without the store's schema, one whose schema is
// newer than this build's, and one missing a table of the schema.
void upgrade(Backend::Connection& connection, const std::filesystem::path& file);

// The refusal of a store database that lacks part of what a store holds
// (`what`: "brak tabel ..."), saying what to do about it.
std::runtime_error incomplete(const std::filesystem::path& file, const std::string& what);

// The refusal of a store whose list (`table`, described as `what`: "stawek VAT")
// holds no rows: a store left half made, which no work may run on.
std::runtime_error emptyList(const std::filesystem::path& file, std::string_view table, std::string_view what);

}  // namespace DBKernel::StoreDatabase
