#pragma once
// The module's SQL is written for Oracle; the store's database is SQLite or
// PostgreSQL. This unit turns one statement of that dialect into statements the
// engine runs with the same meaning, and gives a SQLite connection the Oracle
// functions those statements call. The rules are listed in docs/database.md,
// "The Oracle dialect on SQLite" and "The Oracle dialect on PostgreSQL".

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace DBKernel::Dialect {

enum class Target { sqlite, postgresql };

// What one statement of the module's dialect becomes on the target engine.
struct Translation {
    std::vector<std::string> statements;  // run in order on one session (on SQLite a merge becomes two)
    // PostgreSQL only: per statement, the lower-cased parameter name of $1, $2, ...
    std::vector<std::vector<std::string>> parameters;
    bool lockRows = false;    // the text ended in "for update" (any form)
    bool lockNowait = false;  // the text ended in "for update nowait"
};

// Translates one statement; a pure function of the text and the target. On SQLite
// parameter names come out in lower case (":QPLU" becomes ":qplu"): bind by the
// lower-cased name; "for update" is taken off. On PostgreSQL each statement numbers
// its parameters $1, $2, ... in order of first appearance (Translation::parameters
// names them) and keeps its "for update".
// Throws std::runtime_error naming the target, the statement and the construct when it cannot.
Translation translate(std::string_view oracleSql, Target target = Target::sqlite);

// The SQLite function name of a stored routine: lower case, the package's dot
// turned into "_" ("Generators.getWolnyNumerWKanale" gives "generators_getwolnynumerwkanale").
// Calls in translated statements use this name; register routines under it.
std::string routineName(std::string_view qualified);

// Registers on the connection: decode (any arity, NULL matches NULL), nvl,
// upper and lower folding Polish letters (polish_upper is upper for
// the name index), reverse_chars (by characters), sysdate and borlandsysdate (now as
// a day number). Also makes LIKE case-sensitive, as Oracle's is.
// Throws std::runtime_error when SQLite refuses a registration.
void registerFunctions(sqlite3* connection);

}  // namespace DBKernel::Dialect
