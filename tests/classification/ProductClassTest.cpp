// The product class attributes and the class change of a product.

#include "Core/Database/Sql.h"
#include "Core/I18n/Translate.h"
#include "Modules/Towary/Tools/classification/FixWareClass.h"
#include "Modules/Towary/Tools/classification/ProductClassAttributes.h"
#include "Modules/Towary/Tools/classification/TowarKlasy.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace {

using namespace TowarFunkcje;
using TowarKlasy::OpisKlasyTowaru;
using TowarKlasy::OpisKlasyZmiany;

TEST(ProductClassAttributes, BitsOfAttributesOneToFifteenOnly) {
    unsigned word = 0xF0F0u;
    setAtrKlasyTowaru(word, atkZmianaCeny, false);
    EXPECT_EQ(word, 0xF0F0u) << "bit 3 was clear already";
    word = 0xFFFFu;
    setAtrKlasyTowaru(word, atkZmianaCeny, false);
    EXPECT_EQ(word, 0xFFF7u) << "attribute 4 is bit 3 (value 8), the others stay";
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

TEST(ProductClassAttributes, NamesHeadersAndDisplayOrderThroughTheTranslationService) {
    // Installed before the table is first built; the table is built once, so
    // the translation reaches it only because this test is the first to ask.
    const auto translation = Core::I18n::installTranslation([](const std::string& text) {
        return text == "Zamawianie" ? std::string("Ordering") : text;
    });
    EXPECT_EQ(getAtrKlasyTowaruName(atkZamawianie), "Ordering");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkZamawianie), "Zamawianie~") << "only the name was translated";
    EXPECT_EQ(getAtrKlasyTowaruName(atkZmianaDanychPodstawowych), "Zmiana danych podstawowych");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkZmianaDanychPodstawowych), "Zmiana~danych podst.");
    EXPECT_EQ(getAtrKlasyTowaruName(atkZmianaCenyWPromocjiNadrzednej), "Zmiana ceny towaru w promocji nadrzędnej");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkWylaczenieZAsortymentu), "Możliwość wył.~z asortymentu");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkZamawianieOdDostawcyZewnetrznego), "Zamawianie~od dost.zewn.");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkZmianaDanychWag), "Zmiana~danych wag.");
    EXPECT_EQ(getAtrKlasyTowaruHeader(atkUsuniecieKoduLokalnego), "Usunięcie kodu lokalnego");

    std::vector<int> order;
    for (const auto attribute : getProductClassAttrOrder()) order.push_back(attribute);
    EXPECT_EQ(order, (std::vector<int>{1, 10, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15}));
}

TEST(ProductClassAttributes, IsAllDigit) {
    EXPECT_FALSE(isAllDigit(""));
    EXPECT_FALSE(isAllDigit(nullptr));
    EXPECT_TRUE(isAllDigit("0123456789"));
    EXPECT_FALSE(isAllDigit("12a"));
    EXPECT_FALSE(isAllDigit(" 12"));
}

class ProductClassChange : public ::testing::Test {
protected:
    ProductClassChange() {
        DBKernel::Sql::Command("insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (7, 'Świeże', 1365), "
                               "(8, 'Ogólna', -1), (9, 'Bez atrybutów', null)",
                               session_)
            .execute();
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
    TowarKlasy::CTowarKlasyModifier modifier_{session_};
};

TEST_F(ProductClassChange, TheSameClassMergesTheChangeByItsMaskAndOneNotStoredKeepsNoReference) {
    const OpisKlasyTowaru current("Świeże", 7, 0xF0Au, 0x11u, 0x22u, 0x100u, 0, 0x1u);
    const auto result = modifier_(current, OpisKlasyZmiany("Świeże", 0x05u, 0xFFu, 0, 0x0Fu, 0, 0x2u));
    EXPECT_EQ(result.nazwa, "Świeże");
    EXPECT_EQ(result.klasaRef, 7);
    EXPECT_EQ(result.wart[0], 0xF05u) << "bits 0 and 2 set, 1 and 3 cleared, the rest kept";
    EXPECT_EQ(result.mask[0], 0x10Fu);
    EXPECT_EQ(result.wart[1], 0x11u) << "an empty change mask changes nothing";
    EXPECT_EQ(result.mask[1], 0u);
    EXPECT_EQ(result.wart[2], 0x20u) << "bit 1 fixed to 0";
    EXPECT_EQ(result.mask[2], 0x3u);

    const auto notStored = modifier_(OpisKlasyTowaru("Dawna", 3, 1, 2, 3, 0, 0, 0),
                                     OpisKlasyZmiany("Dawna", 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(notStored.nazwa, "Dawna");
    EXPECT_EQ(notStored.klasaRef, 0);
    EXPECT_EQ(notStored.wart, (TowarKlasy::Words{1, 2, 3}));
}

TEST_F(ProductClassChange, AnotherClassStartsFromItsStoredWordInAllThreeAnUnknownOneIsRefused) {
    const OpisKlasyTowaru current("Ogólna", 8, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFu, 0xFu, 0xFu);
    const auto result = modifier_(current, OpisKlasyZmiany("Świeże", 0x2u, 0, 0, 0x2u, 0, 0));
    EXPECT_EQ(result.nazwa, "Świeże");
    EXPECT_EQ(result.klasaRef, 7);
    EXPECT_EQ(result.wart, (TowarKlasy::Words{1365u | 0x2u, 1365u, 1365u}));
    EXPECT_EQ(result.mask, (TowarKlasy::Words{0x2u, 0, 0})) << "the stored class starts with empty masks";

    const auto negative = modifier_(current, OpisKlasyZmiany("Bez atrybutów", 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(negative.wart, (TowarKlasy::Words{0, 0, 0})) << "a NULL word reads as no attributes";
    for (const std::string name : {"świeże", "Nowa"})  // unknown, or differing in case
        EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                      [&] { modifier_(current, OpisKlasyZmiany(name, 0, 0, 0, 0, 0, 0)); }),
                  "Brak klasy" + name + "w bazie!");
}

TEST_F(ProductClassChange, NoClassKeepsTheValuesAndFixesEveryBit) {
    const OpisKlasyTowaru current("Świeże", 7, 0x12u, 0x34u, 0x56u, 0x1u, 0, 0);
    const auto result = modifier_(current, OpisKlasyZmiany("", 0xFFu, 0xFFu, 0xFFu, 0xFFu, 0xFFu, 0xFFu));
    EXPECT_EQ(result.nazwa, "");
    EXPECT_EQ(result.klasaRef, 0);
    EXPECT_EQ(result.wart, (TowarKlasy::Words{0x12u, 0x34u, 0x56u}));
    EXPECT_EQ(result.mask, (TowarKlasy::Words{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu}));
}

TEST_F(ProductClassChange, TheStoredClassesAreReadOncePerStore) {
    int reference = 0;
    std::uint32_t w1 = 0, w2 = 0, w3 = 0;
    ASSERT_TRUE(modifier_.getAtribsFromKlasa("Świeże", &reference, &w1, &w2, &w3));
    EXPECT_EQ(reference, 7);
    EXPECT_EQ(w3, 1365u);
    DBKernel::Sql::Command("insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (10, 'Późna', 1)", session_)
        .execute();
    EXPECT_FALSE(TowarKlasy::CTowarKlasyModifier(session_).getAtribsFromKlasa("Późna", &reference, &w1, &w2, &w3))
        << "a class added later is not seen by this process";
}

TEST_F(ProductClassChange, FixWareClassMergesTheImportRowIntoTheStoredDescription) {
    std::vector<std::string> log;
    const Towar::ImportLog logger = [&](const System::AnsiString& text, bool) { log.push_back(text); };
    TTowar ware;
    ware.SetNazwa("Jogurt");
    ware.SetArtIndex("000123");

    const OpisKlasyTowaru notStored("", 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                    0xFFFFFFFFu);
    Towar::fixWareClass(ware, std::string("Świeże"), 0x8u, 0x8u | 0x1u, logger, notStored, session_);
    EXPECT_EQ(ware.GetKlasaRef(), 7);
    EXPECT_EQ(static_cast<unsigned>(ware.GetAtrWart()), (1365u & ~0x1u) | 0x8u);
    EXPECT_EQ(ware.GetAtrMask(), 0x9);
    EXPECT_TRUE(log.empty()) << "a new product gets its first class without a message";

    const OpisKlasyTowaru stored("Świeże", 7, 0x3u, 0x3u, 0x3u, 0x1u, 0x1u, 0x1u);
    Towar::fixWareClass(ware, boost::none, 0x4u, 0x4u, logger, stored, session_);
    EXPECT_EQ(ware.GetKlasaRef(), 7) << "no class name keeps the stored class";
    EXPECT_EQ(ware.GetAtrWart(), 0x7);
    EXPECT_EQ(ware.GetAtrMask(), 0x5);

    Towar::fixWareClass(ware, std::string("Ogólna"), 0, 0, logger, stored, session_);
    EXPECT_EQ(ware.GetKlasaRef(), 8);
    EXPECT_EQ(static_cast<unsigned>(ware.GetAtrWart()), 0xFFFFFFFFu);
    EXPECT_EQ(ware.GetAtrMask(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"Towar 'Jogurt' o indeksie '000123' zmienił klasę z 'Świeże' na 'Ogólna'."}));

    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { Towar::fixWareClass(ware, std::string("Brak"), 0, 0, logger, stored, session_); }),
              "Brak klasyBrakw bazie!");
}

}  // namespace
