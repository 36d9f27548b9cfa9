#pragma once
// The evening release of unused scale numbers: products not sold for the
// store's number of days (or, never sold, created that long ago) give up
// their scale section and number, each listed in the run's log. Switched on
// by "Parametry programu / Odczyt wieczorny / Akcje / Usuwanie nieużywanych
// numerów na wagach / Włączone", with the days in "... / Liczba dni".

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

namespace Towar {

// The evening-processing step; a new action object per run.
inline constexpr const char* kReleaseUnusedScaleNumbersActionGuid = "{4A2E6412-2C67-4C24-A097-A78B3D182365}";

}  // namespace Towar

TOWARY_EXPORT void registerReleaseUnusedScaleNumbersActionObjects(Core::Registrations& registrations);
