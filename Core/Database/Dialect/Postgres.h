#pragma once
// The rules that only PostgreSQL needs, run on a statement after the rules both
// engines share: Oracle's functions PostgreSQL lacks or spells differently,
// the conversions Oracle makes between text and numbers where PostgreSQL refuses
// them, Oracle's LIKE without an escape character, and the numbering of parameters.

#include "Core/Database/Dialect/SqlTree.h"

#include <string>
#include <string_view>
#include <vector>

namespace DBKernel::Dialect {

// Whether a column of the store holds text, by its name in any case ("sPLU",
// "sGrIndex", ...): where PostgreSQL needs to know that and the text cannot tell.
bool isTextColumn(std::string_view name);

// Rewrites the whole statement, its groups first. Throws UntranslatableClause
// (SelectClauses.h) for a form of a function it cannot carry over.
void rewriteForPostgres(Nodes& statement);

// Replaces the named parameters by $1, $2, ... in order of first appearance, the
// same name by the same number, and returns the lower-cased name of each number.
std::vector<std::string> numberParameters(Nodes& statement);

}  // namespace DBKernel::Dialect
