// The product class attributes and the class change of a product.

#include "Modules/Towary/Tools/classification/FixWareClass.h"
#include "Modules/Towary/Tools/classification/ProductClassAttributes.h"
#include "Modules/Towary/Tools/classification/TowarKlasy.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using namespace TowarFunkcje;
using TowarKlasy::OpisKlasyTowaru;
using TowarKlasy::OpisKlasyZmiany;

TEST(ProductClassAttributes, BitsOfAttributesOneToFifteenOnly) {
    unsigned word = 0xFFFFu;
    setAtrKlasyTowaru(word, atkZmianaCeny, false);
    EXPECT_EQ(word, 0xFFF7u) << "attribute 4 is bit 3 (value 8), the others stay";
    setAtrKlasyTowaru(word, atkZmianaCeny, false);
    EXPECT_EQ(word, 0xFFF7u) << "clear already";
    word = 0;
    setAtrKlasyTowaru(word, atkZmianaCeny, true);
    EXPECT_EQ(word, 8u);
    EXPECT_TRUE(getAtrKlasyTowaru(1u << 14, atkUsuniecieKoduCentralnego)) << "attribute 15 is bit 14";
    EXPECT_FALSE(getAtrKlasyTowaru(1u << 15, atkUsuniecieKoduCentralnego));

    for (const int wrong : {0, 16, -1}) {
        const auto attribute = static_cast<TAtrKlasyTowaru>(wrong);
        for (const std::function<void()>& call : std::initializer_list<std::function<void()>>{
                 [&] { getAtrKlasyTowaru(0, attribute); }, [&] { setAtrKlasyTowaru(word, attribute, true); },
                 [&] { getAtrKlasyTowaruName(attribute); }, [&] { getAtrKlasyTowaruHeader(attribute); }})
            EXPECT_EQ(TestSupport::failure<std::runtime_error>(call), "Błędny atrybut towaru.") << wrong;
    }
    EXPECT_EQ(word, 8u) << "a refused attribute changes nothing";
}

// "name reference: value words / mask words", the words in hex.
std::string classDescription(const OpisKlasyTowaru& description) {
    std::ostringstream text;
    text << description.nazwa << ' ' << description.klasaRef << ':' << std::hex;
    for (const auto word : description.wart) text << ' ' << word;
    text << " /";
    for (const auto word : description.mask) text << ' ' << word;
    return text.str();
}

TEST(ProductClassChange, TheChangeMergesIntoTheCurrentOrTheStoredClassByItsMasksAndSoDoesAnImportRow) {
    const TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    TSessionHolder session;
    TestSupport::exec(session, "insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (7, 'Świeże', 1365), "
                               "(8, 'Ogólna', -1), (9, 'Bez atrybutów', null)");
    TowarKlasy::CTowarKlasyModifier modifier{session};
    const OpisKlasyTowaru fresh("Świeże", 7, 0xF0Au, 0x11u, 0x22u, 0x100u, 0, 0x1u);
    const OpisKlasyTowaru general("Ogólna", 8, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFu, 0xFu, 0xFu);
    const std::tuple<OpisKlasyTowaru, OpisKlasyZmiany, std::string, const char*> cases[] = {
        // Word 1: bits 0 and 2 set, 1 and 3 cleared, the rest kept; word 2: an empty
        // change mask changes nothing; word 3: bit 1 fixed to 0.
        {fresh, OpisKlasyZmiany("Świeże", 0x05u, 0xFFu, 0, 0x0Fu, 0, 0x2u), "Świeże 7: f05 11 20 / 10f 0 3",
         "the same class"},
        {OpisKlasyTowaru("Dawna", 3, 1, 2, 3, 0, 0, 0), OpisKlasyZmiany("Dawna", 0, 0, 0, 0, 0, 0),
         "Dawna 0: 1 2 3 / 0 0 0", "a class not stored keeps no reference"},
        {general, OpisKlasyZmiany("Świeże", 0x2u, 0, 0, 0x2u, 0, 0), "Świeże 7: 557 555 555 / 2 0 0",
         "another class: its stored word (1365) in all three, empty masks, then the change"},
        {general, OpisKlasyZmiany("Bez atrybutów", 0, 0, 0, 0, 0, 0), "Bez atrybutów 9: 0 0 0 / 0 0 0",
         "a NULL word reads as no attributes"},
        {fresh, OpisKlasyZmiany("", 0xFFu, 0xFFu, 0xFFu, 0xFFu, 0xFFu, 0xFFu),
         " 0: f0a 11 22 / ffffffff ffffffff ffffffff", "no class keeps the values and fixes every bit"},
    };
    for (const auto& [current, change, expected, why] : cases)
        EXPECT_EQ(classDescription(modifier(current, change)), expected) << why;
    // The stored classes are read once per store: one added since is not seen by this process.
    TestSupport::exec(session, "insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (10, 'Późna', 1)");
    for (const std::string name : {"świeże", "Nowa", "Późna"})  // differing in case, unknown, added since
        EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] {
                      TowarKlasy::CTowarKlasyModifier{session}(general, OpisKlasyZmiany(name, 0, 0, 0, 0, 0, 0));
                  }),
                  "Brak klasy" + name + "w bazie!");

    // fixWareClass merges an import row into the stored description.
    std::vector<std::string> log;
    const Towar::ImportLog logger = [&](const System::AnsiString& text, bool) { log.push_back(text); };
    TTowar ware;
    ware.SetNazwa("Jogurt");
    ware.SetArtIndex("000123");
    // Fixes the ware's class; gives its class reference, value word and mask word, the words in hex.
    const auto fix = [&](const boost::optional<std::string>& name, unsigned values, unsigned mask,
                         const OpisKlasyTowaru& stored) {
        Towar::fixWareClass(ware, name, values, mask, logger, stored, session);
        std::ostringstream text;
        text << ware.GetKlasaRef() << std::hex << ' ' << static_cast<unsigned>(ware.GetAtrWart()) << ' '
             << static_cast<unsigned>(ware.GetAtrMask());
        return text.str();
    };

    const OpisKlasyTowaru notStored("", 0, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u);
    EXPECT_EQ(fix(std::string("Świeże"), 0x8u, 0x8u | 0x1u, notStored), "7 55c 9") << "1365, bit 0 cleared, bit 3 set";
    EXPECT_TRUE(log.empty()) << "a new product gets its first class without a message";
    const OpisKlasyTowaru stored("Świeże", 7, 0x3u, 0x3u, 0x3u, 0x1u, 0x1u, 0x1u);
    EXPECT_EQ(fix(boost::none, 0x4u, 0x4u, stored), "7 7 5") << "no class name keeps the stored class";
    EXPECT_EQ(fix(std::string("Ogólna"), 0, 0, stored), "8 ffffffff 0");
    EXPECT_EQ(log, (std::vector<std::string>{"Towar 'Jogurt' o indeksie '000123' zmienił klasę z 'Świeże' na 'Ogólna'."}));

    EXPECT_THROW(Towar::fixWareClass(ware, std::string("Brak"), 0, 0, logger, stored, session), std::runtime_error)
        << "the class change's refusal of a class the store does not hold";
}

}  // namespace
