#pragma once
// The names of a statement's result columns as the module spells them. SQLite
// reports a column by the statement's own spelling ("byVAT"), and an expression
// without an alias by its text ("count(*)"); PostgreSQL folds an unquoted name to
// lower case ("byvat") and names an expression after its function ("count"). A
// PostgreSQL backend gives each name it is told through ColumnNames, so that
// lists, "towary sql" and messages that name a column read the same on both
// engines.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace DBKernel::Dialect {

class ColumnNames {
public:
    // Reads the identifiers of one statement of the module's dialect.
    explicit ColumnNames(std::string_view statement);

    // The spelling of the result's column at `index`, which the server named
    // `serverName`: the text of an expression the select list gives no alias, as
    // SQLite writes it; else the first identifier of the statement that folds to
    // the name (an alias, a column of the select list); else, for a column no text
    // names ("select *"), the spelling the store's SQLite migrations first give it
    // ("lTowarRef"); else the server's name.
    std::string spelling(std::size_t index, const std::string& serverName) const;

private:
    std::unordered_map<std::string, std::string> spelled_;  // folded name -> the statement's spelling
    // The first select list's items up to any "*", each an unaliased
    // expression's text or empty (a column, an aliased item).
    std::vector<std::string> expressions_;
};

}  // namespace DBKernel::Dialect
