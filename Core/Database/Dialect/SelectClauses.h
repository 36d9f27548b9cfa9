#pragma once
// Rewrites of the clauses of one select core (a "select" up to the end of its
// level or its compound operator): Oracle's outer join marker and rownum.

#include "Core/Database/Dialect/SqlTree.h"

#include <stdexcept>

namespace DBKernel::Dialect {

// The text of the node that stands for Oracle's "(+)" after a column.
inline constexpr std::string_view outerJoinMarker = "(+)";

// A clause in a form the rewrites do not cover; the message names the construct.
class UntranslatableClause : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "from a, b where a.x = b.x(+) and ..." becomes "from a left join b on a.x = b.x where ...":
// the where conditions marked on one table become the "on" of its left join.
void rewriteOuterJoins(Nodes& core);

// "where rownum = 1" ("rownum <= n", "rownum < n") becomes "limit 1" ("limit n", "limit n-1").
// Refused together with order by, group by or a compound query, where the two differ.
void rewriteRownum(Nodes& core, bool compound);

}  // namespace DBKernel::Dialect
