#pragma once
// The evening stock-based status change: products of activity status 4 or 8
// whose current stock (summed over a multi-price group) is used up get
// status 5.

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

namespace Towar {

// The evening-processing step; a new action object per run.
inline constexpr const char* kChangeActivityStatusActionGuid = "{D07F6324-07F1-4788-8400-0D49225D0C4A}";

}  // namespace Towar

TOWARY_EXPORT void registerActivityStatusChangeActionObjects(Core::Registrations& registrations);
