#pragma once
// The loaders of products as the host's product objects: by id, by code, by
// article index, the group row of a group index, and by a fragment of the
// name. A loader that does not find what it accepts throws
// Core::PlacedRuntimeError with a message naming what was looked for. Texts
// go into the statements as literals, their apostrophes doubled.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

// The product of that id (the first row): "Brak towaru o ID = ID".
TOWARY_EXPORT TTowarPtr getProduct(unsigned int id, TSessionHolder session);
// The one product holding the code text, whatever the code's status; a code
// text standing twice in plu, or not at all, is refused.
TOWARY_EXPORT TTowarCollectionPtr getTTowarByPlu(const std::string& plu, TSessionHolder session);
// The one row of that article index.
TOWARY_EXPORT TTowarCollectionPtr getTTowarByIndex(const std::string& index, TSessionHolder session);
// The one group row of that group index (a row without an article index).
TOWARY_EXPORT TTowarCollectionPtr getTTowarProductGroupByIndex(const std::string& index, TSessionHolder session);
// Every product (level 6) whose name contains the phrase, without regard to case.
TOWARY_EXPORT TTowarCollectionPtr getTTowarByName(const std::string& phrase, TSessionHolder session);

}  // namespace Towar
