#include "Core/Plu/Plu.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

// On the store's rules as `towary init` writes them.
TEST(PluRules, CanonicalFormsOfTheSampleConfigurationWhyATextCannotBeACodeAndHowItsMasksCompleteOne) {
    const TestSupport::TempStore store;
    Towary::Host::writeSampleSettings(Core::Store::settingsFile());
    const Core::SetupRegistration setup;
    const auto config = Plu::pluConfig();
    const auto canonical = [&](const std::string& text) {
        const Plu::TPlu plu(text, config);
        return plu.raw() + " " + static_cast<char>(plu.type());
    };
    EXPECT_EQ(canonical("5901234123457"), "5901234123457 C");
    EXPECT_EQ(canonical(" 005901234123457\t"), "5901234123457 C") << "blanks and leading zeros go";
    EXPECT_EQ(canonical("590123412345"), "5901234123457 C") << "a missing check digit is completed";
    EXPECT_EQ(canonical("036000291452"), "0036000291452 C") << "UPC-A becomes EAN-13 with a leading 0";
    EXPECT_EQ(canonical("0000012345670"), "12345670 C") << "an EAN-8 in a 13-digit field";
    EXPECT_EQ(canonical("1234567"), "12345670 C");
    EXPECT_EQ(canonical("2800017000005"), "2800017000004 W") << "the store's own check digit is recomputed";
    EXPECT_EQ(canonical("280001700000"), "2800017000004 W");
    EXPECT_EQ(canonical("2900017012500"), "2900017012509 S");
    EXPECT_EQ(canonical("2001234000000"), "2001234000000 P");
    EXPECT_EQ(canonical("0017"), "17 G");
    EXPECT_EQ(Plu::TPlu("0017").raw(), "17") << "a default code takes the store's configuration";

    const auto message = [&](const std::string& text) {
        return TestSupport::failure<Plu::EInvalidPlu>([&] { Plu::TPlu(text, config); });
    };
    EXPECT_EQ(message("  "), "Pusty kod PLU.");
    EXPECT_EQ(message("12a4"), "Kod PLU \"12a4\" zawiera znaki inne niż cyfry.");
    EXPECT_EQ(message("000"), "Kod PLU \"000\" składa się z samych zer.");
    EXPECT_EQ(message("5901234123458"),
              "Kod PLU \"5901234123458\" nie pasuje do żadnej maski kodów PLU sklepu: sprawdź jego długość i cyfrę "
              "kontrolną (maski: Parametry programu / Towary / Kody PLU / Maski).");
    EXPECT_NE(message("123456"), "no exception") << "six digits: too long for a short code, no EAN-8 check digit";

    // The masks come in file order and complete typed numbers.
    const auto& masks = config->getMasks();
    ASSERT_EQ(masks.size(), 6u);
    EXPECT_EQ(config->complete("17", masks[1]), "2800017000004");
    EXPECT_EQ(Plu::TPlu(config->complete("99999", masks[2]), config).type(), Plu::PluType::S);
    EXPECT_THROW(config->complete("123456", masks[1]), std::invalid_argument);
    EXPECT_THROW(config->complete("17", masks[5]), std::invalid_argument) << "an EAN-13 has no item number";

    TestSupport::setSetting(Orvel::splitPath("Parametry programu / Towary / Kody PLU / Maski / Krótkie / Typ"),
                            std::string("X"));
    EXPECT_EQ(TestSupport::failure([] { Plu::pluConfig(); }),
              "Nieznany typ maski kodów PLU \"X\" w ustawieniu Parametry programu / Towary / Kody PLU / Maski / "
              "Krótkie / Typ (dozwolone: W, C, S, P, G).");
    EXPECT_THROW(Plu::TPluConfig({{"2", false, Plu::PluType::W, 12}}), std::invalid_argument)
        << "a prefix and an item number past 12 digits";
}
