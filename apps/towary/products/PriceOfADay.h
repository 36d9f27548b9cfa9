#pragma once
// What a product sells for on a day and where that price comes from, as
// towary price current shows it and the product card holds it.

#include "Core/Database/TSessionHolder.h"
#include "Core/tools/Tls_Decimal.h"

#include <optional>
#include <string>

namespace Towary::Host::Products {

struct PriceOfADay {
    std::optional<double> productPrice;    // the product's own price as the store holds it; none without one
    std::optional<double> conditionPrice;  // the price of the sale condition valid on the day
    std::string alternativePrices;         // that condition's alternative prices (XML); "" for none
    Core::Decimal price;                   // the price charged: the condition's, else the product's, else 0
};

PriceOfADay priceOfADay(int productId, int day, const TSessionHolder& session);

}  // namespace Towary::Host::Products
