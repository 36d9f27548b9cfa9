#pragma once
// The clerk's right on a module window, which the host ties to the menu item
// that opens it (the window's k...MenuItem). The store keeps rights per
// product group only; the dictionaries' windows edit lists of the whole
// store, which lie outside every group, so their menu items are the
// administrator's, as the store-wide jobs are (docs/host-behaviours.md).

#include "apps/web/Call.h"

#include <string>

namespace Towary::Web {

// Throws Refused (403) naming the window and its menu item when the clerk
// holds no right on it; every call of the window's part, reading or writing.
void requireMenuItem(const Call& call, const std::string& menuItem, const std::string& window);

}  // namespace Towary::Web
