#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/rights/AccessChecks.h"
#include "Modules/Towary/Tools/rights/Container.h"
#include "tests/rights/RightsFixture.h"

#include <boost/make_shared.hpp>

using GroupRights::Container;
using GroupRights::Right;
using GroupRights::Rights;

namespace {

TEST(Right, StoredCodesAndTheTextForm) {
    EXPECT_EQ(Right(), Right(3));
    // Granted and inherited, by code: any code off the table reads as 3.
    for (const auto& [code, expected] : std::vector<std::pair<int, std::pair<bool, bool>>>{
             {1, {false, false}}, {2, {true, false}}, {3, {false, true}}, {4, {true, true}},
             {0, {false, true}}, {5, {false, true}}, {-1, {false, true}}})
        EXPECT_EQ(std::pair(Right(code).granted(), Right(code).inherited()), expected) << code;

    Rights rights;
    EXPECT_EQ(rights.text(), "NININININININI");
    rights[Rights::browseGroup].granted(true);
    rights[Rights::browseGroup].inherited(false);
    rights[Rights::deleteGroup].granted(true);
    EXPECT_EQ(rights.text(), "YONININININIYI");
    EXPECT_EQ(Rights::fromText(rights.text()), rights);
    EXPECT_EQ(failure<std::invalid_argument>([] { Rights::fromText("YIYI"); }),
              "Niepoprawny zapis uprawnień \"YIYI\": oczekiwano 14 znaków, dwóch na każde z siedmiu uprawnień (Y lub "
              "N, potem I lub O).");
}

TEST(Container, EmptyGrantsEverythingEntriesInheritByTheLongestAncestorKey) {
    Container container;
    EXPECT_EQ(container.getRights("0102").text(), "YIYIYIYIYIYIYI");

    container.setRights("01", browse(true));
    EXPECT_TRUE(container.getRights("0102")[Rights::browseGroup].granted()) << "inside department 01";
    EXPECT_EQ(container.getRights("02"), Rights()) << "no ancestor entry: nothing granted";

    container.setRights("0101", browse(false));
    container.setRights("0102", browse(false, "YONONONONONO"));
    EXPECT_EQ(container.getRights("010203"), browse(false, "YONONONONONO")) << "0102, though 0101 sorts between";
    EXPECT_EQ(container.getRights("0101"), browse(false));
    EXPECT_EQ(container.sortedIndexes(), (std::vector<std::string>{"01", "0101", "0102"}));

    container.setRights("0101", browse(true));
    container.erase("01");
    EXPECT_EQ(container.getRights("0103"), Rights());
    EXPECT_TRUE(container.erased().empty()) << "an entry made in memory is not remembered as erased";
    container.erase("0101");
    container.erase("0102");
    EXPECT_TRUE(container.allRightsGranted()) << "erasing every entry grants everything again";

    container.setRights("", browse(true));
    EXPECT_EQ(container.getRights("05"), browse(true)) << "the empty key begins every index";
    EXPECT_FALSE(GroupRights::isAccessGranted(container, "05")) << "only keys of 1 character and more count";
}

TEST_F(RightsFixture, ShowAndEditCheckEachProductsGroupAGroupingProductCountsInItsParent) {
    const auto products = [this](const std::string& ids) {
        DBKernel::Sql::OpenedQuery query("select * from towar where lTowarRef in (" + ids + ") order by lTowarRef",
                                         session_);
        auto collection = boost::make_shared<TTowarCollection>();
        collection->load(query);
        return collection;
    };
    addRow(1, "0101", 6);
    addRow(2, "0201", 6);
    addRow(3, "010203", 6, 9);  // a multi-price grouping product below group 0102
    Container container;
    container.setRights("01", browse(true, "NONOYONONONO"));
    container.setRights("0102", browse(false));
    container.setRights("010203", browse(true, "NONOYONONONO"));

    EXPECT_TRUE(GroupRights::canShowAllProducts(products("1"), container));
    EXPECT_TRUE(GroupRights::canEditAllProducts(products("1"), container)) << "right 4 of 01";
    EXPECT_FALSE(GroupRights::canShowAllProducts(products("1, 2"), container)) << "02 has no entry";
    EXPECT_FALSE(GroupRights::canShowAllProducts(products("3"), container)) << "counted in 0102, not 010203";
    EXPECT_FALSE(GroupRights::canEditAllProducts(products("3"), container));
    EXPECT_TRUE(GroupRights::canShowAllProducts(products("0"), container)) << "an empty list";
    EXPECT_TRUE(GroupRights::canShowAllProducts(products("1, 2, 3"), Container())) << "an empty container";
}

}  // namespace
