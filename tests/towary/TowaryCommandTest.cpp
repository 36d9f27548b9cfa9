#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <filesystem>

using TestSupport::runTowary;

TEST(TowaryCommand, UsageErrorsExitWithTwoAndHelpWithZero) {
    EXPECT_EQ(runTowary({}).exitCode, 2);
    EXPECT_EQ(runTowary({"no-such-command"}).exitCode, 2);
    EXPECT_EQ(runTowary({"init"}).exitCode, 2) << "store directory missing";
    const auto help = runTowary({"init", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("DIR"), std::string::npos);
}

TEST(TowaryCommand, InitRefusesADirectoryInUse) {
    TestSupport::TempStore store;
    const auto dir = (store.path() / "sklep").string();
    const auto first = runTowary({"init", dir});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    const auto second = runTowary({"init", dir});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("nie jest pusty"), std::string::npos) << second.err;
}

TEST(TowaryCommand, ActionsListsTheModulesRegistrations) {
    const auto result = runTowary({"actions"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
}

TEST(TowaryCommand, DemoBuildsASampleStoreAndWalksThroughIt) {
    TestSupport::TempStore scratch;
    const auto dir = (scratch.path() / "demo").string();
    const auto result = runTowary({"demo", dir});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* section : {"== Moduł ==", "== Ustawienia sklepu ==", "== Baza danych sklepu ==", "== Ceny sprzedaży =="})
        EXPECT_NE(result.out.find(section), std::string::npos) << section;
    EXPECT_NE(result.out.find("cena sprzedaży brutto: 35.28"), std::string::npos) << result.out;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "towary.toml"));
    EXPECT_EQ(runTowary({"sql", dir, "select count(*) n from towar"}).exitCode, 0);
    EXPECT_EQ(runTowary({"demo", dir}).exitCode, 1) << "the demo never overwrites a store";
}
