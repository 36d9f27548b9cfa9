#pragma once
// The baselines' side of a benchmark: the store's database reached through
// bare sqlite3_* calls in the same process, with the store's own functions
// (Polish upper, reversed text, ...) defined as the layer defines them.
// Each call throws std::runtime_error with SQLite's message when it fails.

#include <sqlite3.h>

#include <string>

namespace Bench {

// The current store's database, opened for reading and writing.
sqlite3* openBare();
sqlite3_stmt* prepare(sqlite3* db, const std::string& text);
void exec(sqlite3* db, const std::string& text);

}  // namespace Bench
