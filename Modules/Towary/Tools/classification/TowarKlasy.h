#pragma once
// TowarKlasy::CTowarKlasyModifier: a product's class description after its
// class is set or changed. The attribute bits a change fixes (its mask) come
// from the change; the others from the product's current description, or
// from the class as stored in table Klasa when the class changes.
//
// The stored classes are read once per store and process, on first use, and
// kept until the process ends: a class added later is not seen until then.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <array>
#include <cstdint>
#include <string>

namespace TowarKlasy {

using Words = std::array<std::uint32_t, 3>;

// A class name with three attribute value words and three mask words (bit
// n-1 for attribute n); a set mask bit says that the description fixes the
// value bit of the same word.
struct TOWARY_EXPORT OpisKlasy {
    OpisKlasy() = default;
    OpisKlasy(std::string name, std::uint32_t word1, std::uint32_t word2, std::uint32_t word3, std::uint32_t mask1,
              std::uint32_t mask2, std::uint32_t mask3)
        : nazwa(std::move(name)), wart{word1, word2, word3}, mask{mask1, mask2, mask3} {}

    std::string nazwa;
    Words wart{};
    Words mask{};
};

// A product's class description: the class's reference in Klasa besides.
struct TOWARY_EXPORT OpisKlasyTowaru : OpisKlasy {
    OpisKlasyTowaru() = default;
    OpisKlasyTowaru(std::string name, int reference, std::uint32_t word1, std::uint32_t word2, std::uint32_t word3,
                    std::uint32_t mask1, std::uint32_t mask2, std::uint32_t mask3)
        : OpisKlasy(std::move(name), word1, word2, word3, mask1, mask2, mask3), klasaRef(reference) {}

    int klasaRef = 0;
};

// A change: an empty class name takes the product's class away.
struct TOWARY_EXPORT OpisKlasyZmiany : OpisKlasy {
    using OpisKlasy::OpisKlasy;
};

class TOWARY_EXPORT CTowarKlasyModifier {
public:
    // The stored classes are read through the session when first needed.
    explicit CTowarKlasyModifier(TSessionHolder session = {});

    // The product's new description. Throws Sysutils::Exception "Brak klasy"
    // NAME "w bazie!" when the change names another class that is not stored
    // (names compare exactly, letter case included).
    OpisKlasyTowaru operator()(const OpisKlasyTowaru& current, const OpisKlasyZmiany& change) const;

    // Whether a class of that name is stored, with its reference and value words when it is.
    bool getAtribsFromKlasa(const std::string& name, int* reference, std::uint32_t* word1, std::uint32_t* word2,
                            std::uint32_t* word3) const;

private:
    TSessionHolder session_;
};

}  // namespace TowarKlasy
