#pragma once
// The promotion's features of a shelf label: the previous price, the
// promotion's days, the promotional text and the previous price per
// comparison unit, written in the label printing's feature form
// ("name" = "value", ...; Core/Labels/Labels.h).

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"

#include <string>

namespace Towar {

// Appends the features of the product's previous price on the date (a day
// number), when it has one; otherwise leaves features as they are.
TOWARY_EXPORT void appendPromoFeatures(std::string& features, TSessionHolder session, int productId, int date);
// Appends the features of the record, after ", " when features is not empty.
TOWARY_EXPORT void appendPromoFeature(std::string& features, const PriceBeforePromotion& priceBeforePromotion);

}  // namespace Towar
