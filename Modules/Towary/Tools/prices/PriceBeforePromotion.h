#pragma once
// The price before a promotion: for a product with a promotional sale
// condition valid on a day, the price of the sale condition before it, which
// shelf labels show beside the promotional price. Which earlier condition
// counts is the store's "Tryb wyświetlania poprzedniej ceny" (see
// Label::PreviousPriceMode); a product is reported only when that price is
// higher than the promotional one.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/Price/Price.h"

#include <map>
#include <optional>
#include <string>

namespace Label::PreviousPriceMode {

// 1 to 5 (the extra tests of the earlier condition, docs/host-behaviours.md);
// any other value adds none.
using Value = int;

// The setting "Parametry sklepu" / "Towary" / "Etykiety" / "Tryb wyświetlania poprzedniej ceny".
TOWARY_EXPORT Value fromSettings();

}  // namespace Label::PreviousPriceMode

namespace Towar {

struct PriceBeforePromotion {
    Core::Price previousPrice;
    int promotionDateFrom = 0;  // the promotional condition's first day
    int promotionDateTo = 0;    // and its last day
    std::optional<int> labelMeasureUnit;  // njmprzelicznik of the product
    Core::Price unitPrice;                // previousPrice per comparison unit
};

using PricesBeforePromotion = std::map<int, PriceBeforePromotion>;

// The statement that finds the previous prices of the day (a day number),
// of one product when productId is given.
TOWARY_EXPORT std::string priceBeforePromotionSql(int date, Label::PreviousPriceMode::Value mode,
                                                  std::optional<int> productId = std::nullopt);

// Every product with a promotional condition valid on the date and a previous price, by product id.
TOWARY_EXPORT PricesBeforePromotion getPricesBeforePromotion(TSessionHolder session, int date,
                                                             Label::PreviousPriceMode::Value mode);
// The same in the store's mode.
TOWARY_EXPORT PricesBeforePromotion getPricesBeforePromotion(TSessionHolder session, int date);

// The previous price of one product on the date, in the mode.
TOWARY_EXPORT std::optional<PriceBeforePromotion> getPriceBeforePromotion(TSessionHolder session, int productId,
                                                                          int date,
                                                                          Label::PreviousPriceMode::Value mode);
// The same in the store's mode.
std::optional<PriceBeforePromotion> getOptPriceBeforePromotion(TSessionHolder session, int productId, int date);

}  // namespace Towar
