#pragma once
// The names of a statement's result columns as the module spells them. SQLite
// reports a column by the statement's own spelling ("byVAT"); PostgreSQL folds
// an unquoted name to lower case ("byvat"). A PostgreSQL backend gives each name
// it is told through ColumnNames, so that lists, "towary sql" and messages that
// name a column read the same on both engines.

#include <string>
#include <string_view>
#include <unordered_map>

namespace DBKernel::Dialect {

class ColumnNames {
public:
    // Reads the identifiers of one statement of the module's dialect.
    explicit ColumnNames(std::string_view statement);

    // The spelling of a column the server named `serverName`: the first identifier
    // of the statement that folds to it (an alias, a column of the select list),
    // else, for a column no text names ("select *"), the spelling the store's
    // SQLite migrations first give it ("lTowarRef"), else the server's name.
    std::string spelling(const std::string& serverName) const;

private:
    std::unordered_map<std::string, std::string> spelled_;  // folded name -> the statement's spelling
};

}  // namespace DBKernel::Dialect
