#pragma once
// The evening application of planned status changes (table StatusChange):
// for every product its latest change dated up to the day after the
// processing day, unless already applied, sets the product's activity
// status; then every change up to that day is marked applied.

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

namespace Towar {

// The evening-processing step; a new action object per run.
inline constexpr const char* kStatusChangeActionGuid = "{884036D8-8B1F-461C-AD8B-4BDB9ABD8787}";

}  // namespace Towar

TOWARY_EXPORT void registerStatusChangeActionObjects(Core::Registrations& registrations);
