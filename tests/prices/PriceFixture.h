#pragma once
// A store for the price tests: a database with a few VAT rates, the margin
// and rounding settings written as the store's settings file, and the host's
// setup-key store and VAT rate list registered, as the host gives them to the module.

#include "Core/Setup/Setup.h"
#include "Core/Vat/AvailVatRates.h"
#include "tests/support/Failure.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

// The margin settings section; "Marża KVR" is left for the fixture to add.
inline constexpr const char* kMarginSettings = R"(["Parametry programu".Towary."Marże"]
"Maksymalna marża procentowa" = 100.0
)";

inline constexpr const char* kRoundingSettings =
    R"(["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do wartości psychologicznych"]
"Włączone" = false
"Próg zaokrąglania" = 0.0

["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do zera na ostatniej pozycji"]
"Włączone" = false
"Próg zaokrąglania" = 0.0
)";

using TestSupport::failure;

// kvr: the margin mode the store is set to.
template <bool kvr>
class PriceFixture : public ::testing::Test {
protected:
    PriceFixture() {
        TestSupport::replaceSettingsFile(std::string(kMarginSettings) + "\"Marża KVR\" = " + (kvr ? "true" : "false") +
                                         "\n\n" + kRoundingSettings);
        TestSupport::exec({}, "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) "
                              "values (1, '0%', 0.0, 0, 'D'), (8, 'zw.', 0.0, 0, 'E'), (9, '5%', 0.05, 0, 'C'), "
                              "(12, '8%', 0.08, 0, 'B'), (13, '23%', 0.23, 0, 'A')");
    }

    // Sets one setting the way `towary settings set` does.
    static void set(const std::string& path, const Orvel::TValue& value) {
        TestSupport::setSetting(Orvel::splitPath(path), value);
    }

    static constexpr const char* kCeiling = "Parametry programu / Towary / Marże / Maksymalna marża procentowa";

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    std::optional<Core::ImplRegistration<Vat::AvailVatRates>> rates_{std::in_place};
};

// The store in ordinary margin mode, and in KVR margin mode.
using OrdinaryMargins = PriceFixture<false>;
using KvrMargins = PriceFixture<true>;
