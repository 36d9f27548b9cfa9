#pragma once
// The scale sections (channels 1 to 9) offered to a user, with the names the
// store gives them in "Parametry sklepu / Towary / Sekcje wagowe / Kanał N".

#include "Core/Export.h"
#include "Core/VisualComponents/ComboBox.h"

#include <vector>

namespace Towar {

using ScaleSectionItem = Core::VisualComponents::ComboBoxItem<int>;

inline constexpr int kFirstScaleSection = 1;
inline constexpr int kLastScaleSection = 9;
// The display text of the "none" item.
inline constexpr const char* kNoScaleSection = "<brak>";

// The nine sections, keyed 1..9, with their names; a missing name is the setting's error.
TOWARY_EXPORT std::vector<ScaleSectionItem> getScaleSections();
// The same, after one "none" item ("<brak>") that stands for no section.
TOWARY_EXPORT std::vector<ScaleSectionItem> getScaleSectionsWithNone();

}  // namespace Towar
