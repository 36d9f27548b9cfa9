#include "Core/Database/Sql.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The store routine as statements call it, on a store holding scale numbers.
class GetWolnyNumerWKanale : public ::testing::Test {
protected:
    void add(int section, int number) {
        DBKernel::Sql::Command insert(
            "insert into towar (lTowarRef, sGrIndex, byCode, nWagaSekcja, nWagaPLU) values (newref, '0101', 6, :s, :n)",
            session_);
        insert.Params["s"] = section;
        insert.Params["n"] = number;
        insert.execute();
    }

    // The answer as text, "NULL" for none.
    std::string free(const std::string& section, const std::string& start) {
        DBKernel::Sql::OpenedQuery query(
            "select Generators.getWolnyNumerWKanale(" + section + ", " + start + ") as n from dual", session_);
        return query["n"].isNull() ? "NULL" : query["n"].asString();
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
};

TEST_F(GetWolnyNumerWKanale, LowestNumberTheSectionDoesNotHold) {
    EXPECT_EQ(free("1", "1"), "1");
    for (int number : {1, 2, 2, 4, 7}) add(1, number);
    add(2, 3);
    EXPECT_EQ(free("1", "1"), "3") << "a number held twice is one number";
    EXPECT_EQ(free("1", "0"), "3") << "numbers start at 1";
    EXPECT_EQ(free("1", "4"), "5");
    EXPECT_EQ(free("2", "1"), "1") << "another section's numbers do not count";
    EXPECT_EQ(free("null", "1"), "NULL");
    EXPECT_EQ(free("1", "null"), "NULL");
}

TEST_F(GetWolnyNumerWKanale, NullWhenTheSectionIsFull) {
    DBKernel::Sql::Command("insert into towar (lTowarRef, sGrIndex, byCode, nWagaSekcja, nWagaPLU) "
                           "with recursive n(x) as (select 1 union all select x + 1 from n where x < 99999) "
                           "select 1000000 + x, '0101', 6, 5, x from n",
                           session_)
        .execute();
    EXPECT_EQ(free("5", "1"), "NULL");
    EXPECT_EQ(free("6", "1"), "1");
}

}  // namespace
