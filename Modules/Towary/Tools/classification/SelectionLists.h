#pragma once
// The small code-to-label lists the host's forms put into combo boxes. Each
// entry is a code with its label; the "...WithAll" and "...WithNone" variants
// put one entry without a code first ("<wszystkie>", "<brak>").

#include "Core/Export.h"
#include "Core/VisualComponents/ComboBox.h"

#include <vector>

namespace Core::VisualComponents {

// An entry with a code (none false), or the one entry without a code (none true).
using CodeList = std::vector<ComboBoxItem<int>>;

// Product types 1 to 23 but 16 and 20, with their labels.
TOWARY_EXPORT CodeList getProductTypes();
TOWARY_EXPORT CodeList getProductTypesWithAll();
TOWARY_EXPORT CodeList getProductTypesWithNone();

// 1 "towar lekki" to 4 "towar normalny".
TOWARY_EXPORT CodeList getProductWeightTypes();
TOWARY_EXPORT CodeList getProductWeightTypesWithNone();

// 0 "nie", 1 "tak".
TOWARY_EXPORT CodeList getBoolValues();
TOWARY_EXPORT CodeList getBoolValuesWithNone();

// How a sale condition's dates meet a period: 0 (no label) to 4.
TOWARY_EXPORT CodeList getSaleConditionsPeriods();

// The hierarchy levels 1 "poziom 1" to 5 "poziom 5".
TOWARY_EXPORT CodeList getProductHierarchies();
TOWARY_EXPORT CodeList getProductHierarchiesWithAll();
TOWARY_EXPORT CodeList getProductHierarchiesWithNone();
// The levels from 1 to the deepest group level the store's towar holds.
TOWARY_EXPORT CodeList getUsedProductHierarchies();

// The discount reasons of table DiscountReasonDict, one per row.
TOWARY_EXPORT CodeList getDiscountReasonList();

// The host's activity statuses (Core::ProductActivityStatuses), in its order.
TOWARY_EXPORT CodeList getProductActivityStatuses();
TOWARY_EXPORT CodeList getProductActivityStatusesWithAll();
TOWARY_EXPORT CodeList getProductActivityStatusesWithNone();
TOWARY_EXPORT CodeList getSimpleProductActivityStatusList();

}  // namespace Core::VisualComponents
