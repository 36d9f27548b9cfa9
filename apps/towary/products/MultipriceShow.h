#pragma once
// towary multiprice show: a multi-price ware as the store holds it: its
// grouping row with its codes, then each element with its sale prices.

#include "Core/Database/TSessionHolder.h"

#include <ostream>
#include <string>

namespace Towary::Host::Products {

// The ware of the product named (an id or /INDEX of its grouping row or of
// one of its elements). Throws std::runtime_error for a product that is no
// part of a multi-price ware.
void showMultiPriceWare(std::ostream& out, const std::string& product, const TSessionHolder& session);

}  // namespace Towary::Host::Products
