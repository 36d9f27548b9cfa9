#pragma once
// The VAT rates, measure units and payment forms a new store starts with, the lists the host
// reads at start. A chain replaces them with its own rows.

#include "Core/Database/TSessionHolder.h"

namespace Towary::Host {

// Fills the store's empty lists, in one transaction of the session.
void fillSampleLists(TSessionHolder session);

}  // namespace Towary::Host
