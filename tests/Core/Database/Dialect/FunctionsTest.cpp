#include "Core/tools/DayNumber.h"
#include "tests/Core/Database/Dialect/DialectDatabase.h"

#include <gtest/gtest.h>

#include <stdexcept>

using TestSupport::DialectDatabase;
using TestSupport::Rows;

TEST(DialectFunctions, DecodeMatchesNullWithNullAndComparesLikeOracle) {
    DialectDatabase db;
    EXPECT_EQ(db.query("select decode(null, null, 'null', 'other'), decode(1, null, 'null', 1, 'one'),"
                       " decode(null, 1, 'one'), decode(5, 1, 'one', 'default'), decode(5, 1, 'one')"),
              (Rows{{"null", "one", "NULL", "default", "NULL"}}));
    // Numbers when the first search value is one, text otherwise.
    EXPECT_EQ(db.query("select decode('2', 2, 'number'), decode(2.0, 2, 'number'),"
                       " decode(' 2 ', null, 'x', 2, 'number'), decode('2', '02', 'text', 'no'),"
                       " decode(2, '2', 'text'), decode('a', 2, 'number', 'no')"),
              (Rows{{"number", "number", "number", "no", "text", "no"}}));
    EXPECT_EQ(db.query("select typeof(decode(1, 1, 9)), typeof(decode(1, 2, 9, 'x')), typeof(decode(1, 1, 2.5))"),
              (Rows{{"integer", "text", "real"}}));
    EXPECT_THROW(db.query("select decode(1, 1)"), std::runtime_error);
}

TEST(DialectFunctions, NvlUpperLowerAndTheDatesBehaveAsInOracle) {
    DialectDatabase db;
    EXPECT_EQ(db.query("select nvl(null, 5), nvl(3, 5), nvl(0, 5), nvl(null, null)"),
              (Rows{{"5", "3", "0", "NULL"}}));
    EXPECT_EQ(db.query("select upper('zażółć gęślą jaźń'), lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ'), upper(null), upper(12)"),
              (Rows{{"ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "zażółć gęślą jaźń", "NULL", "12"}}));

    const double before = Core::DayNumber::now();
    const Rows rows = db.query("select sysdate(), borlandsysdate()");
    const double after = Core::DayNumber::now();
    for (const std::string& value : rows.at(0)) {
        EXPECT_GE(std::stod(value), before - 1e-6);
        EXPECT_LE(std::stod(value), after + 1e-6);
    }
}
