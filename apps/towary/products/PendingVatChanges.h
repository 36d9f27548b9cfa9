#pragma once
// The planned VAT changes not yet carried out, in the order they come due,
// each with its product and both rates as a clerk reads them: the terminal's
// `towary vat pending` prints them, the web host's VAT page lists them.

#include "Core/Database/TSessionHolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Towary::Host::Products {

struct PendingVatChange {
    std::int64_t product = 0;  // lTowarRef
    std::string articleIndex;
    std::string name;
    int day = 0;           // the store's day number it comes due on
    std::string rateFrom;  // the product's VAT code with its rate's name, "6 (22%)"; "" when it has none
    std::string rateTo;    // likewise, the planned one
};

std::vector<PendingVatChange> pendingVatChanges(const TSessionHolder& session);

}  // namespace Towary::Host::Products
