#pragma once
// A store with the sample settings and products holding scale numbers, for
// the scale-number tests.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using TestSupport::setSetting;

class ScaleStore : public ::testing::Test {
protected:
    ScaleStore() { Towary::Host::writeSampleSettings(Core::Store::settingsFile()); }

    static void setMaximum(int maximum) {
        setSetting({"Parametry sklepu", "Towary", "Sekcje wagowe", "Maksymalna liczba towarów w sekcji"}, maximum);
    }
    // A product with its article index, section and number (none for NULL), last sale and creation day.
    void addProduct(int id, std::optional<int> section, std::optional<int> number, std::optional<int> lastSale = {},
                    std::optional<int> created = {}) {
        const auto orNull = [](std::optional<int> value) { return value ? std::to_string(*value) : "null"; };
        const std::string values = std::to_string(id) + ", 'Towar', '0101', '00" + std::to_string(1000 + id) +
                                   "', 6, " + orNull(section) + ", " + orNull(number) + ", " + orNull(lastSale) + ", " +
                                   orNull(created);
        DBKernel::Sql::Command("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nWagaSekcja, "
                               "nWagaPLU, dataOstSprzed, czasUtworzenia) values (" + values + ")",
                               session_)
            .execute();
    }
    // Every product as "id|section|number", one a line, "-" for NULL.
    std::string scaleNumbers() {
        return TestSupport::rows(session_, "select lTowarRef, nWagaSekcja, nWagaPLU from towar order by lTowarRef");
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
};
