// Short receipt names: the store's length, the characters a till prints, the
// fiscal letter of the VAT rate in the last place.

#include "Core/Setup/Setup.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

using Towar::CKrNazwaCreator;

// Replaces the settings file: the short names' length and additional characters.
void configure(int length, const std::string& additional) {
    TestSupport::replaceSettingsFile(
        "[\"Parametry programu\".Towary]\n\"Długość krótkiej nazwy\" = " + std::to_string(length) +
        "\n\n[\"Parametry programu\".Towary.\"Krótka nazwa\"]\n\"Dodatkowe dopuszczalne znaki\" = \"" + additional +
        "\"\n");
}

std::string shortName(const std::string& name, int vat = 13) { return CKrNazwaCreator(name, vat, 40544).get(); }

TEST(ShortName, IsTheConfiguredLengthEndingInTheFiscalLetterWithPolishLettersOnlyWhenListed) {
    const TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    const Core::SetupRegistration setup;
    const Core::ImplRegistration<Vat::AvailVatRates> rates;
    TestSupport::exec({}, "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) "
                          "values (8, 'zw.', 0.0, 0, 'E'), (13, '23%', 0.23, 0, 'A')");
    configure(10, "");
    EXPECT_EQ(shortName("Mleko 2%"), "Mleko 2  A");  // the % became a trailing space, trimmed
    EXPECT_EQ(shortName("Ser  a"), "Ser      A");    // a lone letter after two spaces is blanked
    EXPECT_EQ(shortName("Ser a"), "Ser a    A");     // after one space it stays
    EXPECT_EQ(shortName("  a"), "a        A");       // trimmed first, then too short to blank
    EXPECT_EQ(shortName(""), "         A");
    EXPECT_EQ(shortName("%%%"), "         A");
    EXPECT_EQ(shortName("Chleb razowy", 8), "Chleb razE");  // a full name loses its last place to the letter
    EXPECT_EQ(shortName("Sok\tjabłk"), "Sok\tjab kA");       // white space is kept; ł is not listed
    // Polish letters stay only when listed, and count as one character.
    EXPECT_EQ(shortName("Żółć ąę"), "         A");  // nothing but spaces: trimmed away
    EXPECT_EQ(shortName("Łosoś wędz"), "oso  w dzA");

    configure(10, "ąęłśŁ.-");
    EXPECT_EQ(shortName("Łosoś wędzony"), "Łosoś wędA");
    EXPECT_EQ(shortName("Łódź"), "Ł d      A");  // ó, ź not listed: a space each, not one per byte
    EXPECT_EQ(shortName("Sok 0.5-l"), "Sok 0.5-lA");
    // A byte of no UTF-8 character is one unknown character: a space.
    EXPECT_EQ(shortName(std::string("Ab\xff" "cd")), "Ab cd    A");
    configure(40, "");
    EXPECT_EQ(shortName("Woda"), "Woda" + std::string(35, ' ') + "A");

    // The length is checked at construction; an unknown VAT code in the rate list's words.
    configure(41, "");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { CKrNazwaCreator("Woda", 13, 40544); }),
              "Długość krótkiej nazwy towaru zbyt duża. Maksymalna wartość to 40.");
    configure(0, "");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { CKrNazwaCreator("Woda", 13, 40544); }),
              "Długość krótkiej nazwy towaru zbyt mała. Minimalna wartość to 1.");
    configure(1, "");
    EXPECT_EQ(shortName("Woda"), "A");
    // Read once: the creator keeps the length it was made with.
    const CKrNazwaCreator creator("Woda", 13, 40544);
    configure(5, "");
    EXPECT_EQ(creator.get(), "A");
    // An unknown VAT code is refused in the rate list's words, which tests/Core/Vat pins.
    EXPECT_THROW(shortName("Woda", 99), std::runtime_error);
}

}  // namespace
