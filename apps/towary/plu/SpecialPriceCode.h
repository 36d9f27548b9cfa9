#pragma once
// towary plu special: a new special-price code for a product, stored with
// its special price, the number of its labels to print and an entry of the
// change history, all in one transaction: a failure on the way leaves
// nothing written.

#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Towary::Host::SpecialPrices {

// The product is "/INDEX" (an article index) or an id, and must be a product
// (hierarchy code 6), not a group. The price is rounded to grosze and must be
// at least 0.01 and below 1000; the labels are not negative. Returns the new
// code.
std::string addSpecialPriceCode(const std::string& product, double price, int labels, TSessionHolder session);

}  // namespace Towary::Host::SpecialPrices
