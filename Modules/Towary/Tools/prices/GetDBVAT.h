#pragma once
// The rate of a VAT code (the byVAT of a product) from the store's VAT rate
// list, for the price forms.

#include "Core/Export.h"

// The rate of the code as a fraction (0.23 for 23 %). Whatever goes wrong on
// the way, an unknown code or no rate list, throws Sysutils::Exception
// "Nieznany kod stawki VAT.".
TOWARY_EXPORT double GetDBVAT(int code);

// The VAT share of a gross amount, r / (1 + r) for the rate r of the code
// (0.23 / 1.23 for 23 %). Fails as GetDBVAT.
TOWARY_EXPORT double GetOdwrotnaDBVAT(int code);
