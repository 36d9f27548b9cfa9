#include "Core/Setup/SettingsWriter.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    template <class T>
    static T get(const std::string& path) {
        return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(Orvel::splitPath(path)).GetVal<T>();
    }

    TestSupport::TempStore store_;
    std::filesystem::path file_ = Core::Store::settingsFile();
    Core::SetupRegistration setup_;
};

TEST_F(SettingsWriter, AValueIsReplacedWhereItStands) {
    set("Parametry programu / Towary / Indeksy / Departament", 3);
    EXPECT_EQ(text(), edited("Departament = 2 ", "Departament = 3 "));
    set("Parametry programu / Towary / Indeksy / Departament", std::string("trzy"));
    EXPECT_EQ(text(), edited("Departament = 2 ", "Departament = \"trzy\" "));
}

TEST_F(SettingsWriter, ANewKeyGoesUnderItsTablesHeader) {
    set("Parametry programu / Towary / Indeksy / Sekcja", 2);
    EXPECT_EQ(text(), edited("Sektor = 2\n", "Sektor = 2\nSekcja = 2\n"));
    set("Parametry programu / Punkt sprzedaży", std::string("sklep"));
    EXPECT_EQ(text(), edited("Sektor = 2\n", "Sektor = 2\nSekcja = 2\n") + "\"@\" = \"sklep\"\n");
    EXPECT_EQ(get<std::string>("Parametry programu / Punkt sprzedaży"), "sklep");
    EXPECT_FALSE(get<bool>("Parametry programu / Punkt sprzedaży / Prefiks sklepu"));
}

TEST_F(SettingsWriter, ANewBranchIsAppendedAsATable) {
    set("Parametry programu / Zamówienia / Dostępne algorytmy zamawiania / Ręczny", 1);
    EXPECT_EQ(text(), std::string(kCommented) +
                          "\n[\"Parametry programu\".\"Zamówienia\".\"Dostępne algorytmy zamawiania\"]\n"
                          "\"Ręczny\" = 1\n");
    set("Parametry programu / Zamówienia / Dostępne algorytmy zamawiania / Automatyczny", 2);
    EXPECT_EQ(get<int>("Parametry programu / Zamówienia / Dostępne algorytmy zamawiania / Automatyczny"), 2);
    EXPECT_EQ(text().find("Automatyczny = 2\n"), text().size() - std::string("Automatyczny = 2\n").size());
}

TEST_F(SettingsWriter, AValueThatGetsChildrenKeepsItsValueUnderTheOwnValueKey) {
    set("Parametry programu / Towary / Indeksy / Departament / Nazwa wyświetlana", std::string("Dział"));
    EXPECT_EQ(text(), edited("Departament = 2     # pierwszy poziom\n",
                             "Departament.\"@\" = 2     # pierwszy poziom\n"
                             "Departament.\"Nazwa wyświetlana\" = \"Dział\"\n"));
    EXPECT_EQ(get<int>("Parametry programu / Towary / Indeksy / Departament"), 2);
    EXPECT_EQ(get<std::string>("Parametry programu / Towary / Indeksy / Departament / Nazwa wyświetlana"), "Dział");

    set("Parametry programu / Towary / Indeksy / Departament", 4);
    EXPECT_EQ(get<int>("Parametry programu / Towary / Indeksy / Departament"), 4);
    EXPECT_NE(text().find("Departament.\"@\" = 4     # pierwszy poziom\n"), std::string::npos) << text();
}

TEST_F(SettingsWriter, KeysMadeByDottedKeysAndAtTheTopGrowInPlace) {
    std::ofstream(file_, std::ios::trunc) << "# plik\n[a]\nb.c = 1\nx = 0\n\n[d]\ne = 1\n";
    set("a / b / f", 2);
    set("g", true);
    EXPECT_EQ(text(), "g = true\n# plik\n[a]\nb.c = 1\nb.f = 2\nx = 0\n\n[d]\ne = 1\n");
    set("h", false);
    EXPECT_EQ(text(), "g = true\nh = false\n# plik\n[a]\nb.c = 1\nb.f = 2\nx = 0\n\n[d]\ne = 1\n");
}

TEST_F(SettingsWriter, EveryTypeReadsBackAsWritten) {
    const std::string awkward = "cudzysłów \" ukośnik \\ \n nowy wiersz";
    set("Test / Całkowita", -7);
    set("Test / Liczba", 0.1);
    set("Test / Okrągła", 2.0);
    set("Test / Logiczna", true);
    set("Test / Tekst", awkward);
    set("Test / Liczbowy tekst", std::string("12"));
    EXPECT_EQ(get<int>("Test / Całkowita"), -7);
    EXPECT_EQ(get<double>("Test / Liczba"), 0.1);
    EXPECT_EQ(get<double>("Test / Okrągła"), 2.0) << "written 2.0, not 2, so it stays a double";
    EXPECT_TRUE(get<bool>("Test / Logiczna"));
    EXPECT_EQ(get<std::string>("Test / Tekst"), awkward);
    EXPECT_EQ(get<std::string>("Test / Liczbowy tekst"), "12");
    EXPECT_NE(text().find("Liczba = 0.1\n"), std::string::npos) << text();
}

TEST_F(SettingsWriter, RefusedWritesLeaveTheFileAlone) {
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

TEST_F(SettingsWriter, TheFileIsReplacedWholeAndKeepsItsPermissions) {
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                            std::filesystem::perms::group_read);
    set("Parametry programu / Towary / Indeksy / Sektor", 3);
    EXPECT_EQ(std::filesystem::status(file_).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(store_.path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"towary.toml", "towary.toml.lock"}))
        << "no temporary file is left behind, only the writers' lock file";
}

}  // namespace
