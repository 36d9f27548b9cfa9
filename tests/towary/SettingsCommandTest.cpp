#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

using TestSupport::runTowary;

const std::string kDepartament = "Parametry programu / Towary / Indeksy / Departament";
const std::string kPos = "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / Punkt sprzedaży / "
                         "Towary / Indeksy";

// A store made by `towary init`, as a user would start.
class SettingsCommand : public ::testing::Test {
protected:
    SettingsCommand() {
        const auto init = runTowary({"init", dir_});
        EXPECT_EQ(init.exitCode, 0) << init.err;
    }

    TestSupport::RunResult settings(std::vector<std::string> args) {
        args.insert(args.begin() + 1, dir_);
        args.insert(args.begin(), "settings");
        return runTowary(args);
    }

    std::string file() const {
        std::ifstream in(dir_ + "/towary.toml");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TestSupport::TempStore tmp_;
    std::string dir_ = (tmp_.path() / "sklep").string();
};

TEST_F(SettingsCommand, InitWritesEveryIndexSettingWithItsType) {
    const std::vector<std::pair<std::string, std::string>> lengths{
        {"Departament", "2"}, {"Sektor", "2"}, {"Sekcja", "2"}, {"Rodzina", "3"}, {"Podrodzina", "3"}};
    for (const auto& [level, length] : lengths) {
        const std::string key = "Parametry programu / Towary / Indeksy / " + level;
        const auto value = settings({"get", key, "--type", "int"});
        EXPECT_EQ(value.exitCode, 0) << value.err;
        EXPECT_EQ(value.out, length + "\n");
        EXPECT_EQ(settings({"get", key + " / Nazwa wyświetlana", "--type", "string"}).out, level + "\n");
    }
    EXPECT_EQ(settings({"get", kPos + " / Długość", "--type", "int"}).out, "6\n");
    EXPECT_EQ(settings({"get", kPos + " / Prefiks sklepu", "--type", "bool"}).out, "false\n");
    EXPECT_EQ(file().rfind("# Ustawienia sklepu", 0), 0u) << "the sample is commented";

    const auto all = settings({"list"});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 47) << all.out;
}

TEST_F(SettingsCommand, GetFailsWithTheLookupTexts) {
    const auto absent = settings({"get", "Parametry programu / Towary / Brak", "--type", "int"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.out, "");
    EXPECT_EQ(absent.err,
              "towary: próba pobrania wartości typu (int) z pustego klucza\nParametry programu / Towary / Brak\n");

    const auto untyped = settings({"get", "Parametry programu/Towary/Brak"});
    EXPECT_EQ(untyped.exitCode, 1);
    EXPECT_EQ(untyped.err, "towary: próba pobrania wartości typu (std::string) z pustego klucza\n"
                           "Parametry programu / Towary / Brak\n");

    const auto mistyped = settings({"get", kDepartament + " / Nazwa wyświetlana", "--type", "int"});
    EXPECT_EQ(mistyped.exitCode, 1);
    EXPECT_EQ(mistyped.err, "towary: nie można rzutować wartości klucza\n" + kDepartament +
                                " / Nazwa wyświetlana\ntypu (std::string) na (int)\n");
    EXPECT_EQ(settings({"get", kDepartament, "--type", "AnsiString"}).err,
              "towary: nie można rzutować wartości klucza\n" + kDepartament + "\ntypu (int) na (System::AnsiString)\n");

    EXPECT_EQ(settings({"get", kDepartament, "--type", "float"}).exitCode, 2);
    EXPECT_EQ(runTowary({"settings"}).exitCode, 2);
    EXPECT_EQ(runTowary({"settings", "get", dir_}).exitCode, 2) << "PATH missing";
}

TEST_F(SettingsCommand, SetStoresTheNarrowestTypeUnlessToldAndKeepsTheComments) {
    const std::string base = "Parametry programu / Towary / ";
    const std::vector<std::pair<std::string, std::string>> cases{{"20", "20 (int)"},
                                                                 {"1.5", "1.5 (double)"},
                                                                 {"true", "true (bool)"},
                                                                 {"-", "\"-\" (std::string)"},
                                                                 {"zł 2", "\"zł 2\" (std::string)"}};
    for (const auto& [value, shown] : cases) {
        const auto set = settings({"set", base + "Test", value});
        EXPECT_EQ(set.exitCode, 0) << set.err;
        EXPECT_EQ(set.out, base + "Test = " + shown + "\n");
        EXPECT_EQ(settings({"get", base + "Test"}).out, value + "\n");
    }

    EXPECT_EQ(settings({"set", base + "Test", "12", "--type", "string"}).exitCode, 0);
    EXPECT_EQ(settings({"get", base + "Test", "--type", "int"}).err,
              "towary: nie można rzutować wartości klucza\n" + base + "Test\ntypu (std::string) na (int)\n");
    EXPECT_EQ(settings({"set", base + "Test", "2", "--type", "double"}).out, base + "Test = 2.0 (double)\n");

    const auto notInt = settings({"set", kDepartament, "dwa", "--type", "int"});
    EXPECT_EQ(notInt.exitCode, 1);
    EXPECT_EQ(notInt.err, "towary: Wartość \"dwa\" nie jest liczbą całkowitą (int).\n");
    EXPECT_EQ(settings({"set", kDepartament, "3000000000"}).exitCode, 1) << "outside int";

    EXPECT_EQ(settings({"set", kDepartament, "4"}).exitCode, 0);
    EXPECT_EQ(settings({"get", kDepartament, "--type", "int"}).out, "4\n");
    EXPECT_NE(file().find("\"@\" = 4                                 # długość segmentu poziomu 1\n"),
              std::string::npos)
        << file();
}

TEST_F(SettingsCommand, ListShowsTheKeysUnderAPath) {
    const auto listed = settings({"list", kDepartament});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, kDepartament + " = 2 (int)\n" + kDepartament +
                              " / Nazwa wyświetlana = \"Departament\" (std::string)\n");

    const auto absent = settings({"list", "Parametry programu / Nic"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err, "towary: Pod kluczem Parametry programu / Nic nie ma żadnego ustawienia.\n");
}

TEST_F(SettingsCommand, AMalformedFileIsReportedWithItsLine) {
    std::ofstream(dir_ + "/towary.toml", std::ios::app) << "zepsute =\n";
    const auto broken = settings({"get", kDepartament});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("Błąd w pliku ustawień " + dir_ + "/towary.toml, wiersz "), std::string::npos)
        << broken.err;
    EXPECT_EQ(settings({"set", kDepartament, "3"}).exitCode, 1) << "a broken file is not written over";
}

}  // namespace
