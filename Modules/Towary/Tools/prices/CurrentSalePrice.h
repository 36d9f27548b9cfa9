#pragma once
// What a product sells for today: the price of its sale condition valid
// today (the first the store gives, deleted and blocked ones included, as the
// cash registers read them), else the product's own sale price.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/tools/Tls_Decimal.h"

#include <optional>
#include <string>

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

}  // namespace Towary::ProductTools
