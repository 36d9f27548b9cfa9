#pragma once
// CKrNazwaCreator: the short name a cash register prints on a receipt, made
// from a product's full name and VAT code. The short name always has the
// store's configured length L (characters, as the till prints them); its
// last character is the fiscal letter of the VAT rate on the day.

#include "Core/Export.h"

#include <string>

namespace Towar {

class TOWARY_EXPORT CKrNazwaCreator {
public:
    // Reads L from "Parametry programu / Towary / Długość krótkiej nazwy";
    // throws std::runtime_error when it is above 40 (or below 1).
    CKrNazwaCreator(const std::string& name, int vatCode, int day);

    // The short name. Reads the additional allowed characters afresh; the
    // fiscal-letter lookup's error for an unknown VAT code passes to the caller.
    std::string get() const;

private:
    std::string name_;
    int vatCode_;
    int day_;
    int length_;
};

}  // namespace Towar
