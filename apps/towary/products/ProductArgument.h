#pragma once
// The product a command's argument names: "/INDEX" (an article index) or an
// id, as a clerk writes it.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Towary::Host {

// The product row; refuses a text that is neither form, an id out of range,
// a product that is not there, and a group row (any hierarchy code but that
// of a product), the last with "Wiersz ... nie jest towarem: " + notAProduct.
TTowarPtr findProduct(const std::string& product, TSessionHolder session, const std::string& notAProduct);

}  // namespace Towary::Host
