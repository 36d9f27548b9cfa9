#pragma once
// What a product sells for today: the price of its sale condition valid
// today (deleted and blocked ones included, as the cash registers read them;
// of several, the first by id, so that every engine and every day answers
// alike), else the product's own sale price.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/tools/Tls_Decimal.h"

#include <optional>
#include <string>
#include <vector>

namespace Towary::ProductTools {

// dCenaSprzed of the product row; empty when there is no row or no price.
TOWARY_EXPORT std::optional<double> getCurrentSalePrice(int productId, TSessionHolder session);
// The price of the sale condition valid today; empty when none is.
TOWARY_EXPORT std::optional<double> getCurrentConditionSalePrice(int productId, TSessionHolder session);
// The alternative prices (XML) of the sale condition valid today; "" when none is.
TOWARY_EXPORT std::string getCurrentAdditionalSalePrices(int productId, TSessionHolder session);
// The condition's price, else the product's, else 0, rounded to 2 places.
TOWARY_EXPORT Core::Decimal getCurrentProductSalePrice(int productId, TSessionHolder session);

// The same three answers for another day (a day number) than today.
TOWARY_EXPORT std::optional<double> getConditionSalePriceOfDay(int productId, int day, TSessionHolder session);
TOWARY_EXPORT std::string getAdditionalSalePricesOfDay(int productId, int day, TSessionHolder session);
TOWARY_EXPORT Core::Decimal getProductSalePriceOfDay(int productId, int day, TSessionHolder session);

// The price getProductSalePriceOfDay gives on one day, and whether a sale condition set it.
struct SalePriceOfDay {
    Core::Decimal price;
    bool fromCondition = false;
};
// The same for each day from firstDay to lastDay (the first day first), read
// in two statements whatever the number of days; none when lastDay < firstDay.
TOWARY_EXPORT std::vector<SalePriceOfDay> getProductSalePricesOfDays(int productId, int firstDay, int lastDay,
                                                                     TSessionHolder session);

}  // namespace Towary::ProductTools
