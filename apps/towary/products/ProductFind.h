#pragma once
// towary find: the products an identifier finds, as a cashier or clerk types
// it: a code (or the number of a weighed product), "/" and an article index,
// or the beginning of a name with "*" for any characters. The search is the
// module's GetProductByIdentifierAction, reached through its invoker, so the
// module must be attached.

#include "Core/Database/TSessionHolder.h"

#include <cstddef>
#include <ostream>
#include <string>

namespace Towary::Host::Products {

// Prints one line per row found that the current user may browse (his group
// rights, right 1): id, article index, name and the live codes (status 1 and
// 2). Throws std::runtime_error when nothing is found, or nothing he may browse.
std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session);

}  // namespace Towary::Host::Products
