#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using TestSupport::runTowary;

TEST(TowaryCommand, UsageErrorsExitWithTwoHelpAndActionsWithZeroAndInitRefusesADirectoryInUse) {
    EXPECT_EQ(runTowary({}).exitCode, 2);
    EXPECT_EQ(runTowary({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(runTowary({"init"}).exitCode, 2) << "store directory missing";
    const auto help = runTowary({"init", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("DIR"), std::string::npos);
    const auto actions = runTowary({"actions"});
    EXPECT_EQ(actions.exitCode, 0) << actions.err;
    EXPECT_TRUE(actions.err.empty()) << actions.err;

    TestSupport::TempStore store;
    const auto dir = (store.path() / "sklep").string();
    const auto first = runTowary({"init", dir});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    const auto second = runTowary({"init", dir});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("nie jest pusty"), std::string::npos) << second.err;
}

TEST(TowaryCommand, DemoBuildsASampleStoreAndWalksThroughIt) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "demo").string();
    const auto demo = runTowary({"demo", dir});
    ASSERT_EQ(demo.exitCode, 0) << demo.err;
    for (const char* text :
         {"== Moduł ==", "== Ustawienia sklepu ==", "== Baza danych sklepu ==", "== Ceny sprzedaży ==",
          "cena sprzedaży brutto: 35.28", "== Hierarchia towarowa ==\n", "\n  01  Spożywczy (Departament)\n",
          "\n          010101001001  Mleko UHT 2% (Podrodzina)\n", "\n  02  Chemia (Departament)\n",
          "\n  000002  Mleko UHT 2% 0,5 l (grupa 010101001001)\n", "\ntowary index next-article: 000003\n",
          "== Towary i kody z pliku CSV ==\n"
          "towary products import przyklad-towary.csv: towary i grupy 16, kody 7\n",
          "  kod 5901234123464, status 3 (usunięty)\n"})
        EXPECT_NE(demo.out.find(text), std::string::npos) << text << "\nin:\n" << demo.out;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "towary.toml"));
    EXPECT_EQ(runTowary({"index", "next-group", dir, "0101"}).out, "010102\n") << "the hierarchy stays in the store";
    EXPECT_EQ(runTowary({"demo", dir}).exitCode, 1) << "the demo never overwrites a store";
}
