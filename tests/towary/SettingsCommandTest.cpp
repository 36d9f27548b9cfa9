#include "tests/support/TowaryStore.h"

#include <fstream>
#include <future>

namespace {

const std::string kDepartament = "Parametry programu / Towary / Indeksy / Departament";
const std::string kKey = "Parametry programu / Towary / Test";

using TestSupport::TowaryStore;

// The refusals' words are the settings reader's (tests/Core/Setup); here the command's arguments and answers.
TEST_F(TowaryStore, InitWritesACommentedSettingsFileThatGetListAndSetReadAndWriteAndRefuseWithTheReason) {
    std::string text = TestSupport::readFile(dir_ + "/towary.toml");
    EXPECT_EQ(text.rfind("# Ustawienia sklepu", 0), 0u) << "the sample is commented";
    expectCases("settings", {{{"get", "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / Punkt sprzedaży "
                                      "/ Towary / Indeksy / Prefiks sklepu", "--type", "bool"}, "false\n", 0},
                             {{"list", kDepartament}, kDepartament + " = 2 (int)\n" + kDepartament +
                                                          " / Nazwa wyświetlana = \"Departament\" (string)\n", 0},
                             {{"list", "Parametry programu / Nic"}, "Pod kluczem Parametry programu / Nic nie ma żadnego ustawienia."},
                             // The narrowest type unless told.
                             {{"set", kKey, "20"}, kKey + " = 20 (int)\n", 0},
                             {{"get", kKey}, "20\n", 0},
                             {{"set", kKey, "1.5"}, kKey + " = 1.5 (double)\n", 0},
                             {{"set", kKey, "true"}, kKey + " = true (bool)\n", 0},
                             {{"set", kKey, "-"}, kKey + " = \"-\" (string)\n", 0},
                             {{"set", kKey, "zł 2"}, kKey + " = \"zł 2\" (string)\n", 0},
                             {{"get", kKey}, "zł 2\n", 0},
                             {{"set", kKey, "12", "--type", "string"}, kKey + " = \"12\" (string)\n", 0},
                             {{"list", kKey}, kKey + " = \"12\" (string)\n", 0},
                             {{"set", kKey, "2", "--type", "double"}, kKey + " = 2.0 (double)\n", 0},
                             {{"set", kDepartament, "dwa", "--type", "int"}, "Wartość \"dwa\" nie jest liczbą całkowitą (int)."},
                             {{"set", kDepartament, "3000000000"}, "Liczba 3000000000 nie mieści się w zakresie typu int."}});

    // Values out of their range are refused naming the file, the key and the range.
    const auto refusal = [this](const std::string& path, const std::string& value, const std::string& range) {
        return "Ustawienie " + path + " w pliku " + dir_ + "/towary.toml ma wartość " + value +
               ", a dozwolone są wartości od " + range + ". Popraw je w pliku ustawień lub poleceniem towary settings set.";
    };
    const std::string article = "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / Punkt sprzedaży "
                                "/ Towary / Indeksy / Długość";
    set(article, "2000000000");
    expectFailure(run("index", {"next-article"}), refusal(article, "2000000000", "0 do 18"));
    set(article, "6");
    text = TestSupport::readFile(dir_ + "/towary.toml");
    const std::string ceiling = "\"Maksymalna marża procentowa\" = 90.0";
    ASSERT_NE(text.find(ceiling), std::string::npos);
    std::ofstream(dir_ + "/towary.toml") << text.replace(text.find(ceiling), ceiling.size(),
                                                         "\"Maksymalna marża procentowa\" = nan");
    expectFailure(run("price", {"sell", "10", "95", "13"}),
                  refusal("Parametry programu / Towary / Marże / Maksymalna marża procentowa", "NaN", "0 do 1000000"));

    // Every set of many at once is kept.
    const auto key = [](int i) { return "Parametry programu / Równolegle / Klucz " + std::to_string(i); };
    std::vector<std::future<TestSupport::RunResult>> runs;
    for (int i = 0; i < 20; ++i)
        runs.push_back(std::async(std::launch::async, [&, i] { return run("settings", {"set", key(i), std::to_string(i)}); }));
    for (auto& set : runs) expectSuccess(set.get());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(run("settings", {"get", key(i)}).out, std::to_string(i) + "\n");

    // The parser's own words go to the debug log only, and a broken file is not written over.
    std::ofstream(dir_ + "/towary.toml", std::ios::app) << "zepsute =\n";
    const auto broken = TestSupport::runTowary({"--debug-log", "settings", "get", dir_, kDepartament});
    expectFailureWith(broken, "towary: Błąd składni pliku ustawień " + dir_ + "/towary.toml, wiersz ");
    EXPECT_EQ(broken.err.find("expected"), std::string::npos) << broken.err;
    expectIn(TestSupport::readFile(dir_ + "/log/debug.log"), {"toml++: "});
    const auto settings = TestSupport::readFile(dir_ + "/towary.toml");
    EXPECT_EQ(run("settings", {"set", kDepartament, "3"}).exitCode, 1);
    EXPECT_EQ(TestSupport::readFile(dir_ + "/towary.toml"), settings);
}

}  // namespace
