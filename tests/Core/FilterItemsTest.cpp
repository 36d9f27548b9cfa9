#include "Core/BaseRaport/FilterItems.h"

#include <gtest/gtest.h>

TEST(FilterItems, ItemsByIdMakeTheStatement) {
    BaseRaport::TFilterItemGroup filter;
    const BaseRaport::TReportStatement base{"t.sNazwa", "towar t", "t.byCode = 6"};
    EXPECT_EQ(filter.statement(base), "select t.sNazwa from towar t where t.byCode = 6");

    filter.add({"Group", "", "and t.sGrIndex like '01%'"});
    filter.add({"Codes", "plu p", "and p.lTowarRef = t.lTowarRef"});
    filter.add({"Group", "", "and t.sGrIndex like '02%'"});
    EXPECT_EQ(filter.items().size(), 2u);
    EXPECT_EQ(filter.statement(base),
              "select t.sNazwa from towar t, plu p where t.byCode = 6 and t.sGrIndex like '02%' "
              "and p.lTowarRef = t.lTowarRef");

    EXPECT_TRUE(filter.remove("Group"));
    EXPECT_FALSE(filter.remove("Group"));
    EXPECT_EQ(filter.find("Group"), nullptr);
    ASSERT_NE(filter.find("Codes"), nullptr);
    EXPECT_EQ(filter.find("Codes")->join, "plu p");
}
