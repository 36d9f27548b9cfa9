#pragma once
// Triggers a test adds to a store's database to inject a fault or watch a write,
// written once for either engine: an SQLite trigger on the SQLite run, a PL/pgSQL
// function and trigger on the server's.

#include "Core/Database/StoreDatabase.h"

#include <filesystem>
#include <string>

namespace TestSupport {
namespace detail {

inline std::string quoted(const std::string& text) {
    std::string literal = "'";
    for (const char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

// Adds a trigger for each row: `sqliteBody` and `serverBody` are the statements it runs on each engine.
inline void addTrigger(const std::filesystem::path& directory, const std::string& timing, const std::string& table,
                       const std::string& event, const std::string& when, const std::string& sqliteBody,
                       const std::string& serverBody) {
    static unsigned long added = 0;
    const std::string name = "test_trigger_" + std::to_string(++added);
    const auto location = DBKernel::DatabaseLocation::ofStore(directory);
    const auto connection = DBKernel::StoreDatabase::open(location, {});
    if (!location.onServer()) {
        connection->runScript("create trigger " + name + " " + timing + " " + event + " on " + table +
                              (when.empty() ? "" : " when " + when) + " begin " + sqliteBody + "; end");
        return;
    }
    connection->runScript("create function " + name + "() returns trigger language plpgsql as $$ begin " + serverBody +
                          "; return null; end $$; create trigger " + name + " " + timing + " " + event + " on " +
                          table + " for each row" + (when.empty() ? "" : " when (" + when + ")") +
                          " execute function " + name + "()");
}

}  // namespace detail

// Makes `table` of the store in `directory` refuse a write with `message` (the
// store's own words, as a rule of the store refuses). `event` is "insert", "update",
// "delete" or "update of COLUMN"; `when`, if given, a condition on new. or old.
// columns ("new.sNazwa = 'Kawa'") that limits the refusal to the rows it holds for.
inline void refuseWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                         const std::string& message, const std::string& when = "") {
    detail::addTrigger(directory, "before", table, event, when, "select raise(abort, " + detail::quoted(message) + ")",
                       "raise exception using message = " + detail::quoted(message));
}

// Runs `statement` (one statement that both engines read, which may name new. and
// old. columns) after each row `event` writes in `table`.
inline void afterWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                        const std::string& statement) {
    detail::addTrigger(directory, "after", table, event, "", statement, statement);
}

}  // namespace TestSupport
