#pragma once
// Making a new store: its directory, its commented settings file and its
// database with the sample VAT rates, measure units and payment forms. Shared
// by `towary init`, `towary demo` and `towary generate`.

namespace Towary::Host {

// Creates the store in Core::Store::directory(), which must be new or empty;
// it gets the mode a new directory gets, or that of the empty one it replaces.
// The store is built in a new directory beside it and renamed into place, so
// a process killed on the way leaves no store, never half of one; a hidden
// directory ".NAME.init-XXXXXXXX" left beside it then is the unfinished store,
// which nothing reads and which may be deleted.
void createStore();

}  // namespace Towary::Host
