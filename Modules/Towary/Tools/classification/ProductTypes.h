#pragma once
// The product types (towar.byTyp) and the labels users see for them.

#include "Core/Export.h"

#include <set>
#include <string>

class TTowar;

namespace Towar {

// A product type code, as towar.byTyp holds it.
using Typ = unsigned char;

// The types that keep stock, built on first use and kept until the module
// unloads; begin()/end() walk them in ascending order.
class TOWARY_EXPORT TypyZObslugaStanow {
public:
    static std::set<Typ>::const_iterator begin();
    static std::set<Typ>::const_iterator end();
};

// The types that may have purchase conditions, kept as the set above.
class TOWARY_EXPORT TypyZObslugaWarunkowZakupu {
public:
    static std::set<Typ>::const_iterator begin();
    static std::set<Typ>::const_iterator end();
};

// Whether the type, or the product's byTyp, keeps stock.
TOWARY_EXPORT bool obslugaStanow(Typ type);
TOWARY_EXPORT bool obslugaStanow(const TTowar* product);
// Whether the type, or the product's byTyp, may have purchase conditions.
TOWARY_EXPORT bool obslugaWarunkowZakupu(Typ type);
TOWARY_EXPORT bool obslugaWarunkowZakupu(const TTowar* product);

// The label of the type code: "Zwykły" for 4; "<nieznany>" for a code that
// names no type (0, 16, 20 and above 23).
TOWARY_EXPORT std::string getProductTypeDescription(int code);

// The code of the type whose label is exactly the text (letter case counts);
// throws std::runtime_error "Brak typu towaru " and the text when none is.
TOWARY_EXPORT int getProductTypeByDescription(const std::string& label);

}  // namespace Towar
