#pragma once
// The suffix that shows an element's price in its article index: the price
// in grosze, zero-padded to at least 6 digits (12.34 gives "001234"). A price
// of 10 000.00 or more is written with all its digits ("1000000"), never cut,
// so that two prices never share an index.

#include "Core/Price/Price.h"
#include "Core/tools/Digits.h"

#include <stdexcept>
#include <string>

namespace Core {

// Throws std::runtime_error for a price that is not above zero.
inline std::string priceIndexSuffix(const Price& price) {
    if (price.units() <= 0)
        throw std::runtime_error("Cena " + price.toString() + " nie jest dodatnia: element towaru wielocenowego "
                                 "ma cenę sprzedaży od 0.01.");
    return padLeft(std::to_string(price.units()), 6);
}

}  // namespace Core
