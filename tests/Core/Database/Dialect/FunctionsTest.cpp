// The Oracle functions a SQLite store's connection is given; a server's
// statements have them translated (TranslateTest.cpp).

#include "Core/Database/Sql.h"
#include "Core/tools/DayNumber.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class DialectFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        if (TestSupport::onServer()) GTEST_SKIP() << "the functions SQLite is given";
    }

    // The row of the select list, as TestSupport::rows writes it.
    std::string row(const std::string& selectList) {
        return TestSupport::rows(session, "select " + selectList + " from dual");
    }

    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
};

TEST_F(DialectFunctions, DecodeMatchesNullWithNullAndComparesLikeOracle) {
    EXPECT_EQ(row("decode(null, null, 'null', 'other'), decode(1, null, 'null', 1, 'one'), decode(null, 1, 'one'), "
                  "decode(5, 1, 'one', 'default'), decode(5, 1, 'one')"),
              "null|one|-|default|-\n");
    // Numbers when the first search value is one, text otherwise.
    EXPECT_EQ(row("decode('2', 2, 'number'), decode(2.0, 2, 'number'), decode(' 2 ', null, 'x', 2, 'number'), "
                  "decode('2', '02', 'text', 'no'), decode(2, '2', 'text'), decode('a', 2, 'number', 'no')"),
              "number|number|number|no|text|no\n");
    EXPECT_EQ(row("typeof(decode(1, 1, 9)), typeof(decode(1, 2, 9, 'x')), typeof(decode(1, 1, 2.5))"),
              "integer|text|real\n");
    EXPECT_THROW(row("decode(1, 1)"), std::runtime_error);
}

TEST_F(DialectFunctions, NvlUpperLowerAndTheDatesBehaveAsInOracle) {
    EXPECT_EQ(row("nvl(null, 5), nvl(3, 5), nvl(0, 5), nvl(null, null)"), "5|3|0|-\n");
    EXPECT_EQ(row("upper('zażółć gęślą jaźń'), lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ'), upper(null), upper(12)"),
              "ZAŻÓŁĆ GĘŚLĄ JAŹŃ|zażółć gęślą jaźń|-|12\n");

    const double before = Core::DayNumber::now();
    DBKernel::Sql::OpenedQuery now("select sysdate a, borlandsysdate b from dual", session);
    const double after = Core::DayNumber::now();
    for (const char* column : {"a", "b"}) {
        EXPECT_GE(now[column].asDouble(), before - 1e-6);
        EXPECT_LE(now[column].asDouble(), after + 1e-6);
    }
}

}  // namespace
