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

std::vector<std::string> under(std::vector<std::string> key, const std::string& name) {
    key.push_back(name);
    return key;
}

class DiscountRules : public RulesStore {
protected:
    void lock(const std::vector<std::string>& key) { setSetting(key, true); }
    void exceptions(const std::vector<std::string>& key, const std::string& list, const std::string& value) {
        setSetting(under(key, list), value);
    }
    // The settings hold the automatic discounts' lock and none of its exception lists.
    static void automaticLockWithoutLists(bool locked) {
        TestSupport::replaceSettingsFile(R"(["Parametry programu".Towary.Przeceny."Przeceny automatyczne"]
"Blokada dodawania przecen" = )" + std::string(locked ? "true" : "false") + "\n");
    }
};

TEST_F(DiscountRules, UnlockedKindAdmitsEveryProductWithoutReadingTheLists) {
    auto bread = product(1, "0101", "000001");
    automaticLockWithoutLists(false);
    DiscountEditionChecker checker(Automatic);
    EXPECT_TRUE(checker.discountAdding(Automatic));
    EXPECT_TRUE(checker.discountAdding(Automatic, bread.get()));
}

TEST_F(DiscountRules, GroupExceptionsAdmitTheGroupsTheyBegin) {
    lock(kAutomaticLock);
    exceptions(kAutomaticLock, "Grupy towarowe - wyjątki", "01;0203");
    DiscountEditionChecker checker(Automatic);
    EXPECT_FALSE(checker.discountAdding(Automatic));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(1, "0101", "000001").get()));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(2, "01", "000002").get()));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(3, "020301", "000003").get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, product(4, "0204", "000004").get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, product(5, "02", "000005").get())) << "shorter than 0203";
    EXPECT_TRUE(checker.isGroupExcluded("01;0203", "0203"));
    EXPECT_FALSE(checker.isGroupExcluded("", "0203"));
}

TEST_F(DiscountRules, ArticleExceptionsCompareWholeTokensWhateverTheSeparators) {
    lock(kPiecesLock);
    exceptions(kPiecesLock, "Indeksy towarów - wyjątki", ";;1000,,\n2000\n\n");
    DiscountEditionChecker checker(SelectedPieces);
    EXPECT_TRUE(checker.discountAdding(SelectedPieces, product(1, "0101", "1000").get()));
    EXPECT_TRUE(checker.discountAdding(SelectedPieces, product(2, "0101", "2000").get()));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces, product(3, "0101", "10001").get()));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces, product(4, "0101", "100").get()));
    EXPECT_FALSE(checker.isItemExcluded(";;\n", ""));
}

TEST_F(DiscountRules, AssortmentExceptionsAdmitMembersOfListsValidToday) {
    lock(kAutomaticLock);
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
    lock(kPiecesLock);
    DiscountEditionChecker checker(Automatic);
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(checker.discountAdding(Automatic));
        EXPECT_FALSE(checker.discountAdding(SelectedPieces));
        EXPECT_FALSE(checker.discountAdding(static_cast<AutomaticDiscounts::Kind>(7))) << "any other kind";
    }
    setSetting(kPiecesLock, false);
    lock(kAutomaticLock);
    EXPECT_TRUE(checker.discountAdding(SelectedPieces)) << "a changed setting counts from the next call";
    EXPECT_FALSE(checker.discountAdding(Automatic));
}

TEST_F(DiscountRules, ALockedKindWithoutItsExceptionListsIsRefusedNamingTheList) {
    auto bread = product(1, "0101", "000001");
    automaticLockWithoutLists(true);
    DiscountEditionChecker checker(Automatic);
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { checker.discountAdding(Automatic, bread.get()); }),
              "próba pobrania wartości typu (std::string) z pustego klucza\nParametry programu / Towary / "
              "Przeceny / Przeceny automatyczne / Blokada dodawania przecen / Grupy towarowe - wyjątki");
}

}  // namespace
