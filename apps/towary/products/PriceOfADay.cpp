#include "apps/towary/products/PriceOfADay.h"

#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"

namespace Towary::Host::Products {

PriceOfADay priceOfADay(int productId, int day, const TSessionHolder& session) {
    using namespace Towary::ProductTools;
    return {getCurrentSalePrice(productId, session), getConditionSalePriceOfDay(productId, day, session),
            getAdditionalSalePricesOfDay(productId, day, session), getProductSalePriceOfDay(productId, day, session)};
}

}  // namespace Towary::Host::Products
