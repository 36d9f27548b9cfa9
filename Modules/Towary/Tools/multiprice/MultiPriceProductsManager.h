#pragma once
// Towar::MultiPriceProductsManager: the store routines of the package
// multipriceproducts, called on the manager's session (and transaction).
// Towar::updateMultiPriceProductIndex: an element's article index that shows
// its price, and only its conditions at that price kept.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/Price/Price.h"

#include <string>

namespace Towar {

class TOWARY_EXPORT MultiPriceProductsManager {
public:
    explicit MultiPriceProductsManager(TSessionHolder session);

    // The id of the element of the ware that sells at the price, made when
    // none does, for the host's current user; verifyProductClass refuses to
    // make one when the ware's class fixes price changes off.
    int getOrCreateElement(int groupingProductId, double salePrice, bool verifyProductClass);
    // The elements of the group index take what their grouping row says of them all.
    void updateElements(std::string groupIndex);
    // Every multi-price ware joins the stocktaking (an InwOpis id) once.
    void createProductsForStocktaking(int stocktaking);

private:
    TSessionHolder session_;
};

// For an element (bWieleCen 1): its article index becomes its grouping row's
// followed by the price in grosze (Core::priceIndexSuffix). For any product:
// its sale conditions at other prices are deleted.
TOWARY_EXPORT void updateMultiPriceProductIndex(int productRef, Core::Price price, TSessionHolder session);

}  // namespace Towar
