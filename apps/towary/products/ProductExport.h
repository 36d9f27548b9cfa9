#pragma once
// Writing the store's products and codes as a product file (ProductFile.h)
// with every column of both tables: the hierarchy in the order of its group
// indexes (a group, then what lies in it), each product followed by its codes.
// Importing the file into a new store gives the same rows.

#include <iosfwd>

#include "Core/Database/TSessionHolder.h"
#include "apps/towary/products/ProductImport.h"

namespace Towary::Host::Products {

ImportCounts exportProducts(std::ostream& out, const TSessionHolder& session);

}  // namespace Towary::Host::Products
