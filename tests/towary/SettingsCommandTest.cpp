#include "tests/support/TowaryStore.h"

#include <fstream>
#include <future>

namespace {

using TestSupport::runTowary;

const std::string kDepartament = "Parametry programu / Towary / Indeksy / Departament";

// A store made by `towary init`, as a user would start.
class SettingsCommand : public TestSupport::TowaryStore {
protected:
    TestSupport::RunResult settings(std::vector<std::string> args) const { return run("settings", std::move(args)); }

    std::string settingsText() const { return TestSupport::readFile(dir_ + "/towary.toml"); }
};

TEST_F(SettingsCommand, InitWritesACommentedFileThatGetAndListRead) {
    EXPECT_EQ(settingsText().rfind("# Ustawienia sklepu", 0), 0u) << "the sample is commented";
    expectOutput(settings({"get", "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / "
                                  "Punkt sprzedaży / Towary / Indeksy / Prefiks sklepu",
                           "--type", "bool"}),
                 "false\n");
    expectOutput(settings({"list", kDepartament}), kDepartament + " = 2 (int)\n" + kDepartament +
                                                       " / Nazwa wyświetlana = \"Departament\" (string)\n");
    expectFailure(settings({"list", "Parametry programu / Nic"}),
                  "Pod kluczem Parametry programu / Nic nie ma żadnego ustawienia.");
}

TEST_F(SettingsCommand, SetStoresTheNarrowestTypeUnlessTold) {
    const std::string key = "Parametry programu / Towary / Test";
    for (const auto& [value, shown] : std::vector<std::pair<std::string, std::string>>{
             {"20", "20 (int)"}, {"1.5", "1.5 (double)"}, {"true", "true (bool)"}, {"-", "\"-\" (string)"},
             {"zł 2", "\"zł 2\" (string)"}}) {
        expectOutput(settings({"set", key, value}), key + " = " + shown + "\n");
        EXPECT_EQ(settings({"get", key}).out, value + "\n");
    }
    EXPECT_EQ(settings({"set", key, "12", "--type", "string"}).exitCode, 0);
    expectOutput(settings({"list", key}), key + " = \"12\" (string)\n");
    EXPECT_EQ(settings({"set", key, "2", "--type", "double"}).out, key + " = 2.0 (double)\n");

    expectFailure(settings({"set", kDepartament, "dwa", "--type", "int"}),
                  "Wartość \"dwa\" nie jest liczbą całkowitą (int).");
    expectFailure(settings({"set", kDepartament, "3000000000"}),
                  "Liczba 3000000000 nie mieści się w zakresie typu int.");

    // The refusal's words are the settings reader's (tests/Core/Setup); the parser's own go to the debug log
    // only, and a broken file is not written over.
    std::ofstream(dir_ + "/towary.toml", std::ios::app) << "zepsute =\n";
    const auto broken = settings({"get", kDepartament});
    expectFailureWith(broken, "towary: Błąd składni pliku ustawień " + dir_ + "/towary.toml, wiersz ");
    EXPECT_EQ(broken.err.find("expected"), std::string::npos);
    EXPECT_EQ(runTowary({"--debug-log", "settings", "get", dir_, kDepartament}).exitCode, 1);
    expectIn(TestSupport::readFile(dir_ + "/log/debug.log"), {"toml++: "});
    EXPECT_EQ(settings({"set", kDepartament, "3"}).exitCode, 1);
}

TEST_F(SettingsCommand, ValuesOutOfTheirRangeAreRefusedNamingTheFileTheKeyAndTheRange) {
    const auto refusal = [this](const std::string& path, const std::string& value, const std::string& range) {
        return "Ustawienie " + path + " w pliku " + dir_ + "/towary.toml ma wartość " + value +
               ", a dozwolone są wartości od " + range +
               ". Popraw je w pliku ustawień lub poleceniem towary settings set.";
    };
    const std::string article = "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / Punkt sprzedaży "
                                "/ Towary / Indeksy / Długość";
    set(article, "2000000000");
    expectFailure(run("index", {"next-article"}), refusal(article, "2000000000", "0 do 18"));
    set(article, "6");

    std::string text = settingsText();
    const std::string ceiling = "\"Maksymalna marża procentowa\" = 90.0";
    ASSERT_NE(text.find(ceiling), std::string::npos);
    std::ofstream(dir_ + "/towary.toml") << text.replace(text.find(ceiling), ceiling.size(),
                                                         "\"Maksymalna marża procentowa\" = nan");
    expectFailure(run("price", {"sell", "10", "95", "13"}),
                  refusal("Parametry programu / Towary / Marże / Maksymalna marża procentowa", "NaN", "0 do 1000000"));
}

TEST_F(SettingsCommand, EverySetOfManyAtOnceIsKept) {
    std::vector<std::future<TestSupport::RunResult>> runs;
    for (int i = 0; i < 20; ++i)
        runs.push_back(std::async(std::launch::async, [this, i] {
            return settings({"set", "Parametry programu / Równolegle / Klucz " + std::to_string(i), std::to_string(i)});
        }));
    for (auto& run : runs) EXPECT_EQ(run.get().exitCode, 0);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(settings({"get", "Parametry programu / Równolegle / Klucz " + std::to_string(i)}).out,
                  std::to_string(i) + "\n");
}

}  // namespace
