#include "Modules/Towary/Tools/conditions/DiscountEditionChecker.h"
#include "tests/conditions/RulesStore.h"
#include "tests/support/Failure.h"

#include <stdexcept>

namespace {

using AutomaticDiscounts::Automatic;
using AutomaticDiscounts::SelectedPieces;
using Towary::ProductTools::DiscountEditionChecker;

const std::vector<std::string> kAutomaticLock = {"Parametry programu", "Towary", "Przeceny", "Przeceny automatyczne",
                                                 "Blokada dodawania przecen"};
const std::vector<std::string> kPiecesLock = {"Parametry programu", "Towary", "Przeceny",
                                              "Przeceny na wybrane sztuki", "Blokada dodawania przecen"};

class DiscountRules : public RulesStore {
protected:
    // Sets the exception list of the name below the lock.
    static void exceptions(std::vector<std::string> lock, const std::string& list, const std::string& value) {
        lock.push_back(list);
        setSetting(lock, value);
    }
};

TEST_F(DiscountRules, AnUnlockedKindReadsNoListAndALockedOneNamesTheListItLacks) {
    auto bread = product(1, "0101", "000001");
    const auto lockWithoutLists = [](bool locked) {
        TestSupport::replaceSettingsFile(R"(["Parametry programu".Towary.Przeceny."Przeceny automatyczne"]
"Blokada dodawania przecen" = )" + std::string(locked ? "true" : "false") + "\n");
    };
    lockWithoutLists(false);
    DiscountEditionChecker checker(Automatic);
    EXPECT_TRUE(checker.discountAdding(Automatic, bread.get()));
    lockWithoutLists(true);
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { checker.discountAdding(Automatic, bread.get()); }),
              "próba pobrania wartości typu (std::string) z pustego klucza\nParametry programu / Towary / "
              "Przeceny / Przeceny automatyczne / Blokada dodawania przecen / Grupy towarowe - wyjątki");
}

TEST_F(DiscountRules, GroupExceptionsAdmitTheGroupsTheyBeginArticleOnesWholeTokens) {
    setSetting(kAutomaticLock, true);
    exceptions(kAutomaticLock, "Grupy towarowe - wyjątki", "01;0203");
    DiscountEditionChecker checker(Automatic);
    EXPECT_FALSE(checker.discountAdding(Automatic));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(1, "0101", "000001").get()));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(3, "020301", "000003").get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, product(5, "02", "000005").get())) << "shorter than 0203";

    setSetting(kPiecesLock, true);
    exceptions(kPiecesLock, "Indeksy towarów - wyjątki", ";;1000,,\n2000\n\n");
    EXPECT_TRUE(checker.discountAdding(SelectedPieces, product(11, "0202", "1000").get()));
    EXPECT_TRUE(checker.discountAdding(SelectedPieces, product(12, "0202", "2000").get()));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces, product(13, "0202", "10001").get()));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces, product(14, "0202", "100").get()));
}

TEST_F(DiscountRules, AssortmentExceptionsAdmitMembersOfListsValidToday) {
    setSetting(kAutomaticLock, true);
    exceptions(kAutomaticLock, "Listy asortymentowe - wyjątki", "{AAAA-1}\n{BBBB-2}");
    auto current = product(1, "0101", "000001");
    auto ended = product(2, "0101", "000002");
    auto otherList = product(3, "0101", "000003");
    auto starting = product(4, "0101", "000004");
    addAssortment(1, "{AAAA-1}", -10, 0, 1);
    addAssortment(2, "{BBBB-2}", -10, -1, 2);  // ended yesterday
    addAssortment(3, "{CCCC-3}", -10, 10, 3);  // valid, but not an exception
    addAssortment(4, "{AAAA-1}", 1, 10, 4);    // valid from tomorrow
    DiscountEditionChecker checker(Automatic);
    EXPECT_TRUE(checker.discountAdding(Automatic, current.get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, ended.get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, otherList.get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, starting.get()));

    exceptions(kAutomaticLock, "Listy asortymentowe - wyjątki", "");
    EXPECT_FALSE(checker.discountAdding(Automatic, current.get())) << "an empty list admits no list";
}

TEST_F(DiscountRules, KindsAskedInTurnReadTheLockOfEach) {
    setSetting(kPiecesLock, true);
    DiscountEditionChecker checker(Automatic);
    EXPECT_TRUE(checker.discountAdding(Automatic));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces));
    EXPECT_FALSE(checker.discountAdding(static_cast<AutomaticDiscounts::Kind>(7))) << "any other kind";
    setSetting(kPiecesLock, false);
    setSetting(kAutomaticLock, true);
    EXPECT_TRUE(checker.discountAdding(SelectedPieces)) << "a changed setting counts from the next call";
    EXPECT_FALSE(checker.discountAdding(Automatic));
}

}  // namespace
