#pragma once
// getFirstPLUStatement: an SQL expression over a product id column giving one
// code of the product: the lowest of its live codes (status 1 or 2), NULL
// when it has none.

#include <string>

// withBlocked false leaves out codes blocked at the till (byBlokada).
std::string getFirstPLUStatement(const std::string& productColumn, bool withBlocked);
