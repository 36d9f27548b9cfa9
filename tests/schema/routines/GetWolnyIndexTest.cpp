#include "Core/Database/Sql.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

// The store routine as statements call it, on a store holding article indexes.
class GetWolnyIndex : public ::testing::Test {
protected:
    void add(const std::string& artIndex, int code = 6) {
        DBKernel::Sql::Command insert(
            "insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (newref, '0101', :code, :artIndex)",
            session_);
        insert.Params["code"] = code;
        insert.Params["artIndex"] = artIndex;
        insert.execute();
    }

    // The answer as text, "NULL" for none.
    std::string free(const std::string& start, const std::string& length) {
        DBKernel::Sql::OpenedQuery query("select getWolnyIndex(" + start + ", " + length + ") idx from dual", session_);
        return query["idx"].isNull() ? "NULL" : query["idx"].asString();
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
};

TEST_F(GetWolnyIndex, LowestUnusedNumberOfTheLengthFromStart) {
    EXPECT_EQ(free("0", "6"), "1") << "numbers start at 1";
    EXPECT_EQ(free("42", "6"), "42");
    for (const char* index : {"000001", "000002", "000002", "000003", "000005", "000100", "00004", "0000004", "00004a"})
        add(index);
    add("", 1);  // a group: no article index
    EXPECT_EQ(free("0", "6"), "4") << "indexes of another length or not all digits do not count";
    EXPECT_EQ(free("5", "6"), "6");
    EXPECT_EQ(free("100", "6"), "101");
    EXPECT_EQ(free("1", "4"), "1");
}

TEST_F(GetWolnyIndex, PastTheLengthAndWithoutAnAnswer) {
    for (int number = 1; number <= 9; ++number) add(std::to_string(number));
    EXPECT_EQ(free("0", "1"), "10") << "every one-digit number is taken";
    EXPECT_EQ(free("1234", "3"), "1234") << "no three-digit index is that long";
    for (const auto& [start, length] : {std::pair{"1", "0"}, {"1", "-2"}, {"null", "6"}, {"1", "null"}})
        EXPECT_EQ(free(start, length), "NULL") << start << ", " << length;
}

}  // namespace
