#pragma once
// The product select: the column list every product select of the module
// reads (every towar column under the alias t, the six lower-case ones under
// the names readers find them by) and the select of one product by id.

#include "Core/Export.h"

#include <string>

namespace Product {

// "\n  t.lTowarRef\n, t.sNazwa\n, ..." in the table's order.
TOWARY_EXPORT std::string getProductSelectCommonFieldsSql();
// The select of the product with that id.
TOWARY_EXPORT std::string getProductSelectSql(unsigned int id);

}  // namespace Product
