#pragma once
// Making a new store: its directory, its commented settings file and its
// database with the sample VAT rates and measure units. Shared by `towary
// init` and `towary demo`.

namespace Towary::Host {

// Creates the store in Core::Store::directory(); the directory must be new or empty.
void createStore();

}  // namespace Towary::Host
