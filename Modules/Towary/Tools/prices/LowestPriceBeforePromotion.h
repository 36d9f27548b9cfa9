#pragma once
// The lowest price of the 30 days before a promotion: what Polish price
// marking rules (after the EU Omnibus directive) require a store to show
// beside a reduced price. For each product with a promotional sale condition
// valid on a day (of several, the one starting first, then the first by id,
// whose own period is reported), the price in force on each of the 30 days
// before the promotion's first day is the price of the sale condition valid
// that day (neither deleted nor blocked, the first by id when several are; a
// promotion's counts too), else the product's own sale price; the lowest of
// them is reported. docs/host-behaviours.md compares it with the five modes.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/Price/Price.h"

#include <map>
#include <optional>
#include <string>

namespace Towar {

struct LowestPriceBeforePromotion {
    Core::Price lowestPrice;
    int promotionDateFrom = 0;
    int promotionDateTo = 0;
    // Days of the 30 with no price at all (no condition and no product price) are left out;
    // a product without any price in them is not reported.
};

// Every product on promotion on the date (a day number), by id; of one product when productId is given.
TOWARY_EXPORT std::map<int, LowestPriceBeforePromotion> getLowestPricesBeforePromotion(
    TSessionHolder session, int date, std::optional<int> productId = std::nullopt);

// Appends the feature "Najnizsza_cena_30_dni" of the record, after ", " when features is not empty.
TOWARY_EXPORT void appendLowestPriceFeature(std::string& features, const LowestPriceBeforePromotion& lowest);

}  // namespace Towar
