#include "tests/support/StoreTriggers.h"

#include "Core/Database/StoreDatabase.h"

namespace TestSupport {
namespace {

std::string quoted(const std::string& text) {
    std::string literal = "'";
    for (const char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

// Adds a trigger for each row: `sqliteBody` and `serverBody` are the statements it runs on each engine.
void addTrigger(const std::filesystem::path& directory, const std::string& timing, const std::string& table,
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
                    "; return null; end $$; create trigger " + name + " " + timing + " " + event + " on " + table +
                    " for each row" + (when.empty() ? "" : " when (" + when + ")") + " execute function " + name +
                    "()");
}

}  // namespace

void refuseWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                  const std::string& message, const std::string& when) {
    addTrigger(directory, "before", table, event, when, "select raise(abort, " + quoted(message) + ")",
               "raise exception using message = " + quoted(message));
}

void afterWrites(const std::filesystem::path& directory, const std::string& table, const std::string& event,
                 const std::string& statement) {
    addTrigger(directory, "after", table, event, "", statement, statement);
}

}  // namespace TestSupport
