#include "Core/Database/ConditionCreator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using SQLUtils::CIncludeConditionCreator;

namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(IncludeCondition, ValuesAreQuotedEscapedAndNoValueIsTrue) {
    EXPECT_EQ(CIncludeConditionCreator::of("p.sPlu", std::vector<std::string>{"a", "b", "c"}),
              "(p.sPlu in ('a', 'b', 'c'))");
    EXPECT_EQ(CIncludeConditionCreator::of("sNazwa", std::vector<std::string>{"O'Neil"}, false),
              "(sNazwa not in ('O''Neil'))");
    EXPECT_EQ(CIncludeConditionCreator::of("p.sPlu", std::vector<std::string>{}), "1=1");

    std::ostringstream refs;
    CIncludeConditionCreator byRef(refs, "t.lTowarRef");
    byRef.add(std::int64_t{7});
    byRef.add(std::int64_t{12});
    byRef.finish();
    byRef.finish();
    EXPECT_EQ(refs.str(), "(t.lTowarRef in (7, 12))");
    EXPECT_THROW(byRef.add(std::int64_t{1}), std::logic_error);
}

TEST(IncludeCondition, ThousandValuesAGroup) {
    std::vector<std::string> values;
    for (int i = 1; i <= 2500; ++i) values.push_back(std::to_string(i));
    const std::string in = CIncludeConditionCreator::of("p.sPlu", values);
    EXPECT_EQ(occurrences(in, ") or p.sPlu in ("), 2u);
    EXPECT_EQ(in.substr(0, 20), "(p.sPlu in ('1', '2'");
    EXPECT_NE(in.find("'1000') or p.sPlu in ('1001', "), std::string::npos);
    EXPECT_NE(in.find("'2000') or p.sPlu in ('2001', "), std::string::npos);
    EXPECT_TRUE(in.ends_with(", '2500'))"));

    values.resize(2000);
    const std::string notIn = CIncludeConditionCreator::of("p.sPlu", values, false);
    EXPECT_EQ(occurrences(notIn, " not in ("), 2u);
    EXPECT_NE(notIn.find("'1000') and p.sPlu not in ('1001', "), std::string::npos);
    EXPECT_TRUE(notIn.ends_with(", '2000'))"));
}
