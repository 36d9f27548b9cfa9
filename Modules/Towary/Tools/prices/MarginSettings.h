#pragma once
// The store's margin settings, under "Parametry programu / Towary / Marże".

#include "Core/Export.h"

// Whether margins are KVR margins, the profit as a share of the gross sale
// price ("Marża KVR"), rather than ordinary ones. Read on the first call that
// succeeds and kept until the module unloads: a change of the setting takes
// effect after the host restarts. A failed read passes its exception on and
// leaves the next call to read again.
TOWARY_EXPORT bool isMarzaKVR();

namespace Towary::ProductTools {

// The ceiling of an ordinary margin in percent ("Maksymalna marża
// procentowa"), read at every call.
double maxMarzaProcentowa();

}  // namespace Towary::ProductTools
