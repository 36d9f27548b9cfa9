#pragma once
// A product named on the command line or in a file: "/INDEX" (an article
// index) or an id.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Towary::Host::Products {

// The row the text names. Throws std::runtime_error "Towar "TEXT": podaj
// identyfikator towaru albo / i jego indeks." for other text, an id out of
// range in the range's words, and the loaders' messages for a row not found.
TTowarPtr productByArgument(const std::string& product, TSessionHolder session);

}  // namespace Towary::Host::Products
