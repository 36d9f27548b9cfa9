#include "Core/Database/ConditionCreator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using SQLUtils::CIncludeConditionCreator;

TEST(IncludeCondition, ValuesAreQuotedEscapedAThousandAGroupAndNoValueIsTrue) {
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

    // The quoted numbers from `from` to `to`, as a list.
    const auto list = [](int from, int to) {
        std::string text;
        for (int i = from; i <= to; ++i) text += (i > from ? ", '" : "'") + std::to_string(i) + "'";
        return text;
    };
    std::vector<std::string> values;
    for (int i = 1; i <= 2500; ++i) values.push_back(std::to_string(i));
    EXPECT_EQ(CIncludeConditionCreator::of("p.sPlu", values), "(p.sPlu in (" + list(1, 1000) + ") or p.sPlu in (" +
                                                                  list(1001, 2000) + ") or p.sPlu in (" +
                                                                  list(2001, 2500) + "))");
    values.resize(2000);
    EXPECT_EQ(CIncludeConditionCreator::of("p.sPlu", values, false),
              "(p.sPlu not in (" + list(1, 1000) + ") and p.sPlu not in (" + list(1001, 2000) + "))");
}
