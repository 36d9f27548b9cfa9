#pragma once
// One purchase-condition variant: its values read from its node, the order
// position filled from it, and its row in the variant selection grid. A
// required element the variant lacks, a value that is not of its type, a
// negative price or logistic minimum, or an order unit of less than 0.001
// sale units throws std::runtime_error naming the variant and the element.

#include "Core/Dialogs/Dialogs.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Orders/OrderPos.h"
#include "Modules/Towary/Tools/ui/VariantDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace Towary::ProductTools {

// Copies the variant into the position, in the order of the order form's
// setters; the units are the store's measure-unit list. On a failure the
// position is left as it was.
TOWARY_EXPORT void fillOrderPosition(const VariantNode& variant, Orvel::Orders::OrderPos& position,
                                     const Core::AvailMeasureUnits& units);

// The selection grid's columns: key, caption and alignment, in order.
TOWARY_EXPORT std::vector<Core::TGridColumn> variantGridColumns();
// The cells of the variant's row, a cell per column; a value the fill refuses
// is shown as the variant holds it.
TOWARY_EXPORT std::vector<std::string> variantGridRow(const VariantNode& variant);
// Why the fill refuses the variant (the message fillOrderPosition throws);
// none when it fills a position.
TOWARY_EXPORT std::optional<std::string> variantRefusal(const VariantNode& variant,
                                                        const Core::AvailMeasureUnits& units);

}  // namespace Towary::ProductTools
