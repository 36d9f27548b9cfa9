#pragma once
// Orvel::Products::PluDiscount: the special price of a special-price code, a
// row of the store's table PluDiscount. A special code carries its price in
// its text, so a code has one special price; the row keeps it for the
// reports and the tills, with the product it was set for.

#include "Core/Export.h"
#include "Core/Price/Price.h"

namespace Orvel::Products {

class TOWARY_EXPORT PluDiscount {
public:
    PluDiscount(long long productId, Core::Price price) : productId_(productId), price_(price) {}

    // The code id (plu.lPluRef); 0 until the code row is stored.
    long long getPluId() const { return pluId_; }
    void setPluId(long long pluId) { pluId_ = pluId; }
    long long getProductId() const { return productId_; }
    Core::Price getPrice() const { return price_; }

private:
    long long pluId_ = 0;
    long long productId_;
    Core::Price price_;
};

}  // namespace Orvel::Products
