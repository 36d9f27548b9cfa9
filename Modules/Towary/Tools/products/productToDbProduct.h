#pragma once
// Products::Tools::productToDbProduct: the host's product object made from
// its product entity. An optional attribute without a value leaves its field
// null.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Entity/Product.h"
#include "Core/Export.h"

#include <boost/shared_ptr.hpp>

namespace Products::Tools {

TOWARY_EXPORT TTowarPtr productToDbProduct(boost::shared_ptr<Orvel::Entities::Product> product);

}  // namespace Products::Tools
