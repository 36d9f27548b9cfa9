#include "Core/Setup/SettingsWriter.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

namespace {

constexpr const char* kCommented = R"(# Ustawienia sklepu

# Długości poziomów indeksu grupy.
["Parametry programu".Towary.Indeksy]
Departament = 2     # pierwszy poziom
Sektor = 2

# Punkt sprzedaży.
["Parametry programu"."Punkt sprzedaży"]
"Prefiks sklepu" = false
)";

class SettingsWriter : public ::testing::Test {
protected:
    SettingsWriter() { std::ofstream(file_) << kCommented; }

    void set(const std::string& path, const Orvel::TValue& value) {
        Core::Setup::writeSetting(file_, Orvel::splitPath(path), value);
    }

    std::string text() const { return TestSupport::readFile(file_); }

    // The file as it was, with `before` replaced by `after`.
    static std::string edited(const std::string& before, const std::string& after) {
        std::string text = kCommented;
        text.replace(text.find(before), before.size(), after);
        return text;
    }

    TestSupport::TempStore store_;
    std::filesystem::path file_ = Core::Store::settingsFile();
    Core::SetupRegistration setup_;
};

// Each row: the file, the settings written into it one after another, and the file they leave.
TEST_F(SettingsWriter, AValueIsWrittenWhereItStandsOrUnderItsTableAsItsTypeTheRestOfTheFileStaysAndRefusalsWriteNothing) {
    struct Case {
        std::string file;
        std::vector<std::pair<std::string, Orvel::TValue>> writes;
        std::string written;
    };
    const std::string indexes = "Parametry programu / Towary / Indeksy / ";
    const std::string orders = "Parametry programu / Zamówienia / Dostępne algorytmy zamawiania / ";
    const std::string dotted = "# plik\n[a]\nb.c = 1\nx = 0\n\n[d]\ne = 1\n";
    const std::vector<Case> cases{
        {kCommented, {{indexes + "Departament", 3}}, edited("Departament = 2 ", "Departament = 3 ")},
        {kCommented,
         {{indexes + "Departament", std::string("trzy")}},
         edited("Departament = 2 ", "Departament = \"trzy\" ")},
        {kCommented,
         {{indexes + "Sekcja", 2}, {"Parametry programu / Punkt sprzedaży", std::string("sklep")}},
         edited("Sektor = 2\n", "Sektor = 2\nSekcja = 2\n") + "\"@\" = \"sklep\"\n"},
        // A new branch is appended as a table, and what goes into it later lands at its end.
        {kCommented,
         {{orders + "Ręczny", 1}, {orders + "Automatyczny", 2}},
         std::string(kCommented) + "\n[\"Parametry programu\".\"Zamówienia\".\"Dostępne algorytmy zamawiania\"]\n"
                                   "\"Ręczny\" = 1\nAutomatyczny = 2\n"},
        // A value that gets children keeps its own under "@".
        {kCommented,
         {{indexes + "Departament / Nazwa wyświetlana", std::string("Dział")}, {indexes + "Departament", 4}},
         edited("Departament = 2     # pierwszy poziom\n",
                "Departament.\"@\" = 4     # pierwszy poziom\nDepartament.\"Nazwa wyświetlana\" = \"Dział\"\n")},
        // Keys made by dotted keys, and keys at the top, grow in place.
        {dotted, {{"a / b / f", 2}, {"g", true}, {"h", false}},
         "g = true\nh = false\n# plik\n[a]\nb.c = 1\nb.f = 2\nx = 0\n\n[d]\ne = 1\n"},
    };
    for (const auto& [file, writes, written] : cases) {
        std::ofstream(file_, std::ios::trunc) << file;
        for (const auto& [path, value] : writes) set(path, value);
        EXPECT_EQ(text(), written) << writes.front().first;
    }

    // Every type reads back as written; a double with its point (2.0), so that it stays a double.
    for (const auto& [value, written] : std::vector<std::pair<Orvel::TValue, std::string>>{
             {-7, "-7"},
             {0.1, "0.1"},
             {2.0, "2.0"},
             {true, "true"},
             {std::string("12"), "\"12\""},
             {std::string("cudzysłów \" ukośnik \\ \n nowy wiersz"),
              "\"cudzysłów \\\" ukośnik \\\\ \\n nowy wiersz\""}}) {
        set("Test / Wartość", value);
        const auto& root = Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey();
        EXPECT_EQ(root.GetSubKey(Orvel::splitPath("Test / Wartość")).GetRep().Value, value) << written;
        EXPECT_NE(text().find("Wartość\" = " + written + "\n"), std::string::npos) << text();
    }

    // Refused writes leave the file alone.
    std::ofstream(file_, std::ios::trunc) << kCommented;
    const auto refused = [&](const std::string& path, const Orvel::TValue& value) {
        EXPECT_THROW(set(path, value), std::runtime_error) << path;
        EXPECT_EQ(text(), kCommented) << path;
    };
    refused("Parametry programu / @", 1);
    refused("Parametry programu /  / x", 1);
    refused("", 1);
    refused("Parametry programu / Towary / x", std::numeric_limits<double>::infinity());

    std::ofstream(file_, std::ios::trunc) << "a = { b = 1 }\n";
    EXPECT_THROW(set("a / c", 2), std::runtime_error);
    set("a / b", 5);
    EXPECT_EQ(text(), "a = { b = 5 }\n") << "a value inside a one-line table can still be replaced";

    std::filesystem::remove(file_);
    EXPECT_THROW(set("a / b", 1), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

}  // namespace
