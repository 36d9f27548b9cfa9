#include "Modules/Towary/Tools/ui/ReturnReasonRules.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Towary::ProductTools;
using ReturnReasons::ReturnReason;
using TestSupport::failure;

const std::string kShortcutFormat =
    "Niepoprawny format skrótu.\n Dozwolony format: \n - ilość znaków: od 0 do 3,\n - tylko wielkie litery";

TEST(ReturnReasonRules, ShortcutsOfUpToThreeCapitalsAZAndTextsOfUpTo64Characters) {
    for (const char* accepted : {"", "ABC"})
        EXPECT_EQ(failure([&] { checkReturnReasonShortcut(accepted); }), "no exception") << accepted;
    for (const char* refused : {"abc", "ABCD", "A1", "Ą", " A"})
        EXPECT_EQ(failure([&] { checkReturnReasonShortcut(refused); }), kShortcutFormat) << refused;

    std::string polish;
    for (int i = 0; i < 64; ++i) polish += "ż";  // 64 characters, 128 bytes
    EXPECT_EQ(failure([&] { checkReturnReasonText(polish); }), "no exception");
    EXPECT_EQ(failure([&] { checkReturnReasonText(polish + "a"); }), "Maksymalna dozwolona długość pola to 64 znaki.");
    EXPECT_EQ(failure([&] { checkReturnReasonText(""); }), "no exception") << "the empty text waits for the save";

    const std::string unfit =
        "Tekst powodu zwrotu musi być zapisany w UTF-8 i nie może zawierać znaków sterujących (tabulacji, końca "
        "wiersza).";
    for (const std::string refused : {"Zł\xC5", "Uszkodzony\tUSZ", "Bez\x7F"})
        EXPECT_EQ(failure([&] { checkReturnReasonText(refused); }), unfit) << refused;
    EXPECT_EQ(failure([&] { checkReturnReasonText("Zły rozmiar, \"kolor\" & <wzór>!"); }), "no exception");
}

TEST(ReturnReasonRules, EveryReasonAgainstEveryOtherDeletedOnesIncluded) {
    const auto check = [](const std::vector<ReturnReason>& reasons) {
        return failure([&] { validateReturnReasons(reasons); });
    };
    EXPECT_EQ(check({{1, "Uszkodzony", "", false}, {2, "Niezgodny", "", false}}), "no exception")
        << "two empty shortcuts";
    EXPECT_EQ(check({{1, "Uszkodzony", "", false}, {0, "", "", false}}),
              "Pole z nazwą powodu zwrotu nie może być puste.");
    EXPECT_EQ(check({{1, "Uszkodzony", "USZ", false}, {0, "uszKODZONY", "", false}}),
              "Nazwa powodu zwrotu 'Uszkodzony' nie jest unikalna.")
        << "the first of the two is named";
    EXPECT_EQ(check({{1, "Źle zważony", "", true}, {0, "źLE ZWAŻONY", "", false}}),
              "Nazwa powodu zwrotu 'Źle zważony' nie jest unikalna.")
        << "Polish letters compare without case too, and a deleted reason still blocks its text";
    EXPECT_EQ(check({{1, "Uszkodzony", "AB", true}, {0, "Inny", "AB", false}}),
              "Skrócona nazwa powodu zwrotu 'AB' nie jest unikalna")
        << "and its shortcut";
    EXPECT_EQ(check({{1, "Uszkodzony", "", false}, {0, "Uszkodzony ", "", false}}), "no exception")
        << "texts are compared as they stand";
    EXPECT_EQ(check({{1, "A", "", false}, {0, "", "", false}, {0, "a", "", false}}),
              "Nazwa powodu zwrotu 'A' nie jest unikalna.")
        << "reasons are checked in their order";
}

}  // namespace
