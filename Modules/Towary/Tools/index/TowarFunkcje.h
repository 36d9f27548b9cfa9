#pragma once
// TowarFunkcje::genNewGrIndex: the older generator of group indexes. It takes
// the level of the new group instead of deriving it from the parent, fills
// the first gap above the smallest existing segment (or follows the largest),
// and has no range check: past the last segment of the level's length it
// gives a longer one.

#include "Core/Export.h"
#include "Core/System/AnsiString.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

namespace TowarFunkcje {

// The index of a new group of that level under the parent, on the database
// layer's default session: "01", "02", "04" under it give "03"; "03", "04"
// give "05"; none gives "01" (segments of length 2).
TOWARY_EXPORT System::AnsiString genNewGrIndex(Towar::TowarCode level, System::AnsiString parentIndex);

}  // namespace TowarFunkcje
