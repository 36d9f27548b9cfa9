#pragma once
// A store with the sample settings and products holding scale numbers, for
// the scale-number tests.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

class ScaleStore : public ::testing::Test {
protected:
    ScaleStore() { Towary::Host::writeSampleSettings(Core::Store::settingsFile()); }

    void setSetting(const std::vector<std::string>& path, const Orvel::TValue& value) {
        Core::Setup::writeSetting(Core::Store::settingsFile(), path, value);
    }
    void setMaximum(int maximum) {
        setSetting({"Parametry sklepu", "Towary", "Sekcje wagowe", "Maksymalna liczba towarów w sekcji"}, maximum);
    }
    // A product with its article index, section and number (none for NULL), last sale and creation day.
    void addProduct(int id, std::optional<int> section, std::optional<int> number, std::optional<int> lastSale = {},
                    std::optional<int> created = {}) {
        DBKernel::Sql::Command insert(
            "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nWagaSekcja, nWagaPLU, dataOstSprzed,"
            " czasUtworzenia) values (:id, 'Towar', '0101', :idx, 6, :s, :n, :sold, :created)",
            session_);
        insert.Params["id"] = id;
        insert.Params["idx"] = "00" + std::to_string(1000 + id);
        const auto set = [&insert](const char* name, std::optional<int> value) {
            if (value)
                insert.Params[name] = *value;
            else
                insert.Params[name].clear();
        };
        set("s", section);
        set("n", number);
        set("sold", lastSale);
        set("created", created);
        insert.execute();
    }
    // Every product as "id|section|number", one a line, "-" for NULL.
    std::string scaleNumbers() {
        return TestSupport::rows(session_, "select lTowarRef, nWagaSekcja, nWagaPLU from towar order by lTowarRef");
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
};
