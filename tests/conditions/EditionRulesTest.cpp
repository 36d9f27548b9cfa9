#include "Modules/Towary/Tools/conditions/DiscountEditionChecker.h"
#include "tests/conditions/RulesStore.h"
#include "tests/support/Failure.h"

#include <stdexcept>

namespace {

using AutomaticDiscounts::Automatic;
using AutomaticDiscounts::SelectedPieces;
using Towary::ProductTools::DiscountEditionChecker;

const std::string kAutomatic = "Przeceny automatyczne";
const std::string kPieces = "Przeceny na wybrane sztuki";

// The key of the kind's lock on adding discounts, or of the names below it.
std::vector<std::string> lock(const std::string& kind, std::vector<std::string> below = {}) {
    below.insert(below.begin(), {"Parametry programu", "Towary", "Przeceny", kind, "Blokada dodawania przecen"});
    return below;
}

TEST_F(RulesStore, DiscountKindsAskedInTurnReadTheirLockWhoseExceptionsAdmitGroupsArticlesListMembersOrNameWhatIsMissing) {
    DiscountEditionChecker checker(Automatic);
    setSetting(lock(kPieces), true);
    EXPECT_TRUE(checker.discountAdding(Automatic));
    EXPECT_FALSE(checker.discountAdding(SelectedPieces));
    EXPECT_FALSE(checker.discountAdding(static_cast<AutomaticDiscounts::Kind>(7))) << "any other kind";
    setSetting(lock(kPieces), false);
    setSetting(lock(kAutomatic), true);
    EXPECT_TRUE(checker.discountAdding(SelectedPieces)) << "a changed setting counts from the next call";
    EXPECT_FALSE(checker.discountAdding(Automatic));

    setSetting(lock(kAutomatic, {"Grupy towarowe - wyjątki"}), "01;0203");
    EXPECT_FALSE(checker.discountAdding(Automatic));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(1, "0101", "000001").get()));
    EXPECT_TRUE(checker.discountAdding(Automatic, product(3, "020301", "000003").get()));
    EXPECT_FALSE(checker.discountAdding(Automatic, product(5, "02", "000005").get())) << "shorter than 0203";

    setSetting(lock(kPieces), true);
    setSetting(lock(kPieces, {"Indeksy towarów - wyjątki"}), ";;1000,,\n2000\n\n");
    for (const auto& [id, index, admitted] :
         {std::tuple{11, "1000", true}, {12, "2000", true}, {13, "10001", false}, {14, "100", false}})
        EXPECT_EQ(checker.discountAdding(SelectedPieces, product(id, "0202", index).get()), admitted) << index;

    // Assortment exceptions admit members of lists valid today (products of a group no exception names).
    setSetting(lock(kAutomatic, {"Listy asortymentowe - wyjątki"}), "{AAAA-1}\n{BBBB-2}");
    for (int id = 21; id <= 24; ++id) product(id, "0909", "0000" + std::to_string(id));
    addAssortment(1, "{AAAA-1}", -10, 0, 21);
    addAssortment(2, "{BBBB-2}", -10, -1, 22);  // ended yesterday
    addAssortment(3, "{CCCC-3}", -10, 10, 23);  // valid, but not an exception
    addAssortment(4, "{AAAA-1}", 1, 10, 24);    // valid from tomorrow
    const auto admitted = [&](int id) {
        return checker.discountAdding(Automatic, Towar::getProduct(id, session_).get());
    };
    EXPECT_TRUE(admitted(21));
    for (const int id : {22, 23, 24}) EXPECT_FALSE(admitted(id)) << id;
    setSetting(lock(kAutomatic, {"Listy asortymentowe - wyjątki"}), "");
    EXPECT_FALSE(admitted(21)) << "an empty list admits no list";

    // An unlocked kind reads no list; a locked one names the list it lacks.
    const auto lockWithoutLists = [](bool locked) {
        TestSupport::replaceSettingsFile(R"(["Parametry programu".Towary.Przeceny."Przeceny automatyczne"]
"Blokada dodawania przecen" = )" + std::string(locked ? "true" : "false") + "\n");
    };
    lockWithoutLists(false);
    DiscountEditionChecker unlisted(Automatic);
    const auto bread = Towar::getProduct(1, session_);
    EXPECT_TRUE(unlisted.discountAdding(Automatic, bread.get()));
    lockWithoutLists(true);
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { unlisted.discountAdding(Automatic, bread.get()); }),
              "próba pobrania wartości typu (std::string) z pustego klucza\nParametry programu / Towary / "
              "Przeceny / Przeceny automatyczne / Blokada dodawania przecen / Grupy towarowe - wyjątki");
}

}  // namespace
