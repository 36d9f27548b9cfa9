#pragma once
// PLU::CGeneratorPLUSpecjalnych: new special-price codes. A special code is
// the prefix of the store's first special mask (type S), a free number of
// five digits from the store (getWolnePLUWagowe), the price in three digits
// of złote and two of grosze, and the check digit; the till reads the price
// from it. The masks are read when the generator is made; the free number is
// asked for in the generator's session (the main one unless given), inside
// its transaction when one is open.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace PLU {

class TOWARY_EXPORT CGeneratorPLUSpecjalnych {
public:
    // Throws std::runtime_error "Błąd! Brak masek specjalnych kodów PLU w
    // konfig.!" when the store has no special mask.
    CGeneratorPLUSpecjalnych() : CGeneratorPLUSpecjalnych(TSessionHolder()) {}
    explicit CGeneratorPLUSpecjalnych(TSessionHolder session);

    // The canonical text of a new special code for the price. Throws
    // std::runtime_error when the code made does not fit a special mask: a
    // price of 1000 or more, a negative one, infinity or NaN has no room in it;
    // database errors pass through.
    std::string operator()(double price) const;

    const std::string& prefix() const { return prefix_; }

private:
    TSessionHolder session_;
    std::string prefix_;
};

}  // namespace PLU
