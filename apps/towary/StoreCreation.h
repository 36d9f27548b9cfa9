#pragma once
// Making a new store: its directory, its commented settings file and its
// database with the sample VAT rates, measure units and payment forms. Shared
// by `towary init`, `towary demo` and `towary generate`.

#include "Core/Database/TSessionHolder.h"

#include <functional>
#include <string>

namespace Towary::Host {

// What a command adds to a new store before it is finished (the generator's products).
using StoreFill = std::function<void(const TSessionHolder& session)>;

// Creates the store in Core::Store::directory(), which must be new, empty, or
// a store a killed fill left unfinished (it is replaced); it gets the mode a
// new directory gets, or that of the directory it replaces. The store is built
// in a new directory beside it and renamed into place, so a process killed on
// the way leaves no store, never half of one; a hidden directory
// ".NAME.init-XXXXXXXX" left beside it then is the unfinished store, which
// nothing reads and which may be deleted. A `fill` runs on the store in place,
// where it reads the store's settings, while the store carries a mark that
// makes every other command refuse it; the mark goes once the fill committed.
// With a `server` (libpq's connection text) the database is the server's
// (an existing database without a store), named in DIR/baza.toml.
void createStore(const StoreFill& fill = {}, const std::string& server = {});

// Refuses the store in Core::Store::directory() when a fill was killed before it finished.
void checkStoreFinished();

}  // namespace Towary::Host
