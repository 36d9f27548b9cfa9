#pragma once
// towary products show: one product, or the products a name fragment finds,
// with their codes, read through the module's product loaders.

#include "Core/Database/TSessionHolder.h"

#include <ostream>
#include <string>

namespace Towary::Host::Products {

// Prints the products the identifier names: "/INDEX" an article index; digits
// a code of the store, else a product id; any other text a fragment of the
// names of products. Throws the loader's error when nothing matches.
void showProducts(std::ostream& out, const std::string& identifier, TSessionHolder session);

}  // namespace Towary::Host::Products
