#pragma once
// Triggers a test adds to a store's database to inject a fault or watch a write,
// written once for either engine: an SQLite trigger on the SQLite run, a PL/pgSQL
// function and trigger on the server's.

#include <filesystem>
#include <string>

namespace TestSupport {

// Makes `table` of the store in `directory` refuse a write with `message` (the
// store's own words, as a rule of the store refuses). `event` is "insert", "update",
// "delete" or "update of COLUMN"; `when`, if given, a condition on new. or old.
// columns ("new.sNazwa = 'Kawa'") that limits the refusal to the rows it holds for.
void refuseWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                  const std::string& message, const std::string& when = "");

// Runs `statement` (one statement that both engines read, which may name new. and
// old. columns) after each row `event` writes in `table`.
void afterWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                 const std::string& statement);

}  // namespace TestSupport
