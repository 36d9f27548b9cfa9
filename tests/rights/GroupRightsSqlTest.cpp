#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "tests/rights/RightsFixture.h"

#include <sstream>

using namespace GroupRights::Sql;
using GroupRights::Container;

namespace {

class RightsSql : public IndexFixture {
protected:
    RightsSql() {
        // 01 granted with a denied sector 0102 and a granted 0103 inside it,
        // 02 denied, 03 granted with a denied 0301.
        for (const auto& [key, granted] : std::vector<std::pair<std::string, bool>>{
                 {"01", true}, {"0102", false}, {"0103", true}, {"02", false}, {"03", true}, {"0301", false}})
            rights_.setRights(key, browse(granted));
    }

    Container rights_;
    Container empty_;
};

TEST_F(RightsSql, AvailAndNotAvailGroupsTheGrantedSubtreesLessTheDeniedGroupsTheWholeConditionLessTheirSubtrees) {
    EXPECT_EQ(sqlText(AvailGroups(rights_, "t")),
              " and (t.sgrindex like '01%' or t.sgrindex like '03%') and t.sgrindex not in (0102, 02, 0301)");
    EXPECT_EQ(sqlText(NotAvailGroups(rights_, "")),
              "\t\t\tand exists (select 1 from dual where (\n\t\t\t\tsgrindex not like '01%'\n\t\t\t\tand sgrindex not "
              "like '03%')\n\t\t\t\tor sgrindex in (0102, 02, 0301) )");

    Container nested;
    nested.setRights("01", browse(true));
    nested.setRights("0102", browse(true));
    EXPECT_EQ(sqlText(AvailGroups(nested, "")), " and (sgrindex like '01%')") << "0102 lies inside 01";
    EXPECT_EQ(sqlText(NotAvailGroups(nested, "x")),
              "\t\t\tand exists (select 1 from dual where (\n\t\t\t\tx.sgrindex not like '01%') )");

    Container denied;
    denied.setRights("01", browse(false));
    EXPECT_EQ(sqlText(AvailGroups(denied, "t")), " and 1=0");
    EXPECT_EQ(sqlText(NotAvailGroups(denied, "t")), " and 1=0");
    EXPECT_EQ(getGroupRightsWhereCondition(denied, "sgrindex"), "((1 = 0 ) and 1 = 1 and sgrindex not like '01%' ) ");

    EXPECT_EQ(sqlText(AvailGroups(empty_, "t")), "");
    EXPECT_EQ(sqlText(NotAvailGroups(empty_, "t")), "");

    // The whole condition grants subtrees and takes away every denied subtree.
    EXPECT_EQ(getGroupRightsWhereCondition(rights_, "t.sgrindex"),
              "((1 = 0 or t.sgrindex like '01%' or t.sgrindex like '0103%' or t.sgrindex like '03%' ) and 1 = 1 and "
              "t.sgrindex not like '0102%' and t.sgrindex not like '02%' and t.sgrindex not like '0301%' ) ");
    EXPECT_EQ(getGroupRightsWhereCondition(empty_, "sgrindex"), "((1 = 1 ) and 1 = 1 ) ");
}

TEST_F(RightsSql, VisibleGroupsAndGroupItems) {
    EXPECT_EQ(sqlText(VisibleGroups(rights_, "01", "t", wcAnd)),
              " and (bycode <> 6 /*tcTowar*/ and t.sgrindex in ('0102', '0103'))");
    std::ostringstream departments;
    departments << VisibleGroups(rights_, "", "", wcNone);
    EXPECT_EQ(departments.str(), " (bycode <> 6 /*tcTowar*/ and sgrindex in ('01', '02', '03'))");
    EXPECT_EQ(sqlText(VisibleGroups(rights_, "04", "", wcAnd)), " and sgrindex like ''") << "no entry below 04";
    EXPECT_EQ(sqlText(VisibleGroups(rights_, "010203001002", "", wcAnd)), " and sgrindex like ''") << "the last level";
    EXPECT_EQ(sqlText(VisibleGroups(empty_, "01", "t", wcAnd)), "");

    EXPECT_EQ(sqlText(GroupItems(rights_, "01", Towar::tcSektor, "t", wcAnd)),
              " and t.sgrindex like '01%' and (t.bycode = 2 or (t.bycode = 6 /* Towar::Article */ and t.sgrindex = "
              "'01'))");
    EXPECT_EQ(sqlText(GroupItems(rights_, "010304", Towar::tcRodzina, "", wcNone)),
              " sgrindex like '010304%' and (bycode = 4 or (bycode = 6 /* Towar::Article */ and sgrindex = '010304'))")
        << "rights inherited from 0103";
    Container below;
    below.setRights("05", browse(false));
    below.setRights("050607", browse(true));
    EXPECT_EQ(sqlText(GroupItems(below, "05", Towar::tcSektor, "", wcNone)),
              " (bycode <> 6 /*tcTowar*/ and sgrindex in ('0506'))")
        << "a denied group shows the way to a granted one below it";
    EXPECT_EQ(sqlText(GroupItems(rights_, "0102", Towar::tcSekcja, "", wcAnd)), " and sgrindex like ''")
        << "a denied group shows the children through which an entry is reached: none";
    EXPECT_EQ(sqlText(GroupItems(empty_, "0102", Towar::tcSekcja, "", wcAnd)),
              " and sgrindex like '0102%' and (bycode = 3 or (bycode = 6 /* Towar::Article */ and sgrindex = '0102'))");
}

TEST_F(RightsSql, AKeyOrGroupIndexThatIsNotDigitsIsRefused) {
    Container letters;
    letters.setRights("0'1", browse(true));
    const std::string refused = "Indeks grupy towarów \"0'1\" może zawierać tylko cyfry.";
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(AvailGroups(letters, "")); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(NotAvailGroups(letters, "")); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { getGroupRightsWhereCondition(letters, "sgrindex"); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(VisibleGroups(letters, "", "", wcAnd)); }), refused);
    const std::string index = "0'1";
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(GroupItems(empty_, index, Towar::tcSektor, "", wcAnd)); }),
              refused);
}

}  // namespace
