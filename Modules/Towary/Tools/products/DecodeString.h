#pragma once
// decodeString: an Oracle decode(...) expression that shows a code column of
// a product select as readable text, for the host's product lists.

#include "Core/Export.h"
#include "Core/System/AnsiString.h"

// The column an expression decodes, and what it turns the codes into.
enum DecodeType {
    dtTypTowaru = 0,        // byTyp: the product type's label
    dtJmSprz = 1,           // nJmSprz: the measure unit's name
    dtVat = 2,              // byVAT: the VAT rate's name
    dtPoprVat = 3,          // byPoprVAT: the VAT rate's name
    dtStawkaVat = 4,        // byVAT: the rate in percent, a number
    dtPoprStawkaVat = 5,    // byPoprVAT: the rate in percent, a number
    dtFormaPlatnosci = 6,   // lPlatnoscRef: the final payment form's name
    dtJmPrzelicznik = 7,    // nJmPrzelicznik: the measure unit's name
};

// "decode(" + prefix + column, then ", code, 'name'" (", code, rate" for the
// rates in percent) for every entry of the type's list, then ")". The prefix
// is a table alias with its dot ("t.") or empty. The VAT rates, measure units
// and payment forms come from the host's lists.
TOWARY_EXPORT System::AnsiString decodeString(System::AnsiString prefix, DecodeType type);
TOWARY_EXPORT System::AnsiString decodeString(DecodeType type);
