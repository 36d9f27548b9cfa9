#pragma once
// The store database as a whole: making a new one and bringing the schema of
// an existing one up to this build's migrations.

#include "Core/Database/Backend/Backend.h"

#include <filesystem>

namespace DBKernel::StoreDatabase {

// Makes a new store database in the file with the whole schema; refuses a
// file that exists.
void create(const std::filesystem::path& file);

// Applies the migrations the database lacks, all in one transaction, so a
// store made by an older build is upgraded in full or not at all. Refuses a
// database whose schema is newer than this build's.
void upgrade(Backend::Connection& connection);

}  // namespace DBKernel::StoreDatabase
