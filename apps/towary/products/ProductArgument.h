#pragma once
// The product a command's argument (or a file's field) names: "/INDEX" (an
// article index) or an id, as a clerk writes it.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Towary::Host {

// The row the text names, product or group. Throws std::runtime_error
// "Towar "TEXT": podaj identyfikator towaru albo / i jego indeks." for other
// text, an id out of range in the range's words, and the loaders' messages for
// a row not found.
TTowarPtr productByArgument(const std::string& product, TSessionHolder session);

// The product row the text names; refuses, besides what productByArgument
// refuses, a group row (any hierarchy code but that of a product) with
// "Wiersz ... nie jest towarem: " + notAProduct.
TTowarPtr findProduct(const std::string& product, TSessionHolder session, const std::string& notAProduct);

}  // namespace Towary::Host
