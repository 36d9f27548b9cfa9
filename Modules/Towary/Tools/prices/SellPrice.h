#pragma once
// The gross sale price of a product from its net purchase price, its margin
// and its VAT, as the product and condition forms compute it.

#include "Core/Export.h"

// calcSellPriceFromVatValue with the rate of the VAT code, looked up in the
// store's VAT rate list directly: an unknown code fails with the list's own
// message, not GetDBVAT's.
TOWARY_EXPORT double calcSellPrice(double purchase, double margin, int vatCode);

// The gross sale price, money-rounded, of the net purchase price with the
// margin in percent (25 for 25 %) and the VAT rate as a fraction. A KVR
// margin is first turned into an ordinary one; the ordinary margin is then
// cut to "Maksymalna marża procentowa"; a margin of 100 % or more gives 0; a
// negative margin prices below cost, purchase × (1 + rate) × (1 + margin).
// Only the final price is rounded. Settings are read at every call.
TOWARY_EXPORT double calcSellPriceFromVatValue(double purchase, double margin, double vatRate);
