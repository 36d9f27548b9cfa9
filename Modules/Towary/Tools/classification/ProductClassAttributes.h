#pragma once
// The product class attributes: what a store may do with the products of a
// class, operation by operation. A product or a class keeps them as bits of
// a 32-bit word (attribute n is bit n-1); these functions read and write one
// attribute and give its name and grid header, translated by the host.

#include "Core/Export.h"

#include <string>
#include <vector>

namespace TowarFunkcje {

// A fixed type, so that any number a host passes is a value the functions below can refuse.
enum TAtrKlasyTowaru : int {
    atkZmianaDanychPodstawowych = 1,
    atkDodaniePlu = 2,
    atkUsunieciePlu = 3,
    atkZmianaCeny = 4,
    atkZmianaCenyWPromocjiNadrzednej = 5,
    atkZamawianie = 6,
    atkZamawianieOdDostawcyZewnetrznego = 7,
    atkWylaczenieZAsortymentu = 8,
    atkZmianaCech = 9,
    atkZmianaDanychUzupelniajacych = 10,
    atkZmianaDanychWag = 11,
    atkDodanieKoduPublicznego = 12,
    atkDodanieKoduPrywatnego = 13,
    atkUsuniecieKoduLokalnego = 14,
    atkUsuniecieKoduCentralnego = 15,
};

// Each function below taking an attribute accepts 1 to 15 only and throws
// Sysutils::Exception "Błędny atrybut towaru." for any other value.

TOWARY_EXPORT bool getAtrKlasyTowaru(unsigned word, TAtrKlasyTowaru attribute);
// Sets or clears the attribute's bit, leaving the others as they are.
TOWARY_EXPORT void setAtrKlasyTowaru(unsigned& word, TAtrKlasyTowaru attribute, bool value);

// "Zmiana ceny" for attribute 4.
TOWARY_EXPORT std::string getAtrKlasyTowaruName(TAtrKlasyTowaru attribute);
// The two-line grid header, "~" where the line breaks: "Zmiana ceny~" for 4.
TOWARY_EXPORT std::string getAtrKlasyTowaruHeader(TAtrKlasyTowaru attribute);

// The order in which forms show the attributes; 2 and 3 are not shown.
TOWARY_EXPORT const std::vector<TAtrKlasyTowaru>& getProductClassAttrOrder();

// Whether the text is not empty (nor null) and all decimal digits.
TOWARY_EXPORT bool isAllDigit(const char* text);

}  // namespace TowarFunkcje
