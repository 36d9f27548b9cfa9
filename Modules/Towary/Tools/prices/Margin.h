#pragma once
// Margins worked back out of purchase and sale prices, and the check of a
// margin against the store's ceiling. A margin returned here is a fraction
// rounded to four places (0.25 for 25 %); a margin given is a percentage.
//
// An ordinary margin is the profit as a share of the net sale price, or, for
// a sale below cost, of the net purchase price (so it is negative then). A
// KVR margin ("Marża KVR") is the profit as a share of the gross sale price.

#include "Core/Export.h"

// The margin of the prices. A zero divisor gives 0; the zero tests are exact,
// not within the tolerance. The gross purchase price is accepted and not used.
TOWARY_EXPORT double calculateMargin(double netPurchase, double netSale, double grossPurchase, double grossSale);

// calculateMargin of the absolute values.
TOWARY_EXPORT double recalcMarza(double netPurchase, double netSale, double grossPurchase, double grossSale);

// The margin of the net purchase price against the gross sale price under the
// VAT rate (a fraction). Any failure, a missing setting included, gives 0.
TOWARY_EXPORT double recalcMarza(double purchase, double grossSale, double vatRate);

// As above with the rate of the VAT code. An unknown code is not a failure of
// the margin: it throws GetDBVAT's "Nieznany kod stawki VAT.".
TOWARY_EXPORT double recalcMarza(double purchase, double grossSale, int vatCode);

// Whether the margin in percent (a KVR margin in KVR mode) is above
// "Maksymalna marża procentowa"; a margin equal to it is allowed.
TOWARY_EXPORT bool isMaxMarzaPrzekroczona(double margin, int vatCode);
