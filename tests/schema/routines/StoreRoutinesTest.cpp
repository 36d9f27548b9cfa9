// The store routines the module's statements call, each on a store holding
// what it searches: free special codes, article indexes and scale numbers.

#include "Core/Database/Sql.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TestSupport::failure;

class StoreRoutine : public ::testing::Test {
protected:
    // A towar row of group 0101 (newref) with the columns and values given.
    void addRow(const std::string& columns, const std::string& values) {
        DBKernel::Sql::Command("insert into towar (lTowarRef, sGrIndex, " + columns + ") values (newref, '0101', " +
                                   values + ")",
                               session_)
            .execute();
    }
    // The routine's answer as text, "<null>" for none.
    std::string answer(const std::string& call) { return TestSupport::value(session_, "select " + call + " from dual"); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
};

class GetWolnePLUWagowe : public StoreRoutine {
protected:
    GetWolnePLUWagowe() { TestSupport::addProduct(session_, 999, "Ser"); }

    void add(const std::string& code, int status = 1) {
        DBKernel::Sql::Command insert(
            "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref, :code, 999, :status)", session_);
        insert.Params["code"] = code;
        insert.Params["status"] = status;
        insert.execute();
    }
    std::string free(const std::string& arguments) { return answer("getWolnePLUWagowe(" + arguments + ")"); }
};

TEST_F(GetWolnePLUWagowe, LowestNumberNoCodeOfThePrefixTakes) {
    EXPECT_EQ(free("'29', 5, 4, 0"), "1") << "numbers start at 1";

    add("2900001012509");
    add("2900002000003", 3);  // a deleted code still holds its number
    add("2900002099996");
    add("290000300000");  // without its check digit
    add("2900005012509");
    add("2800004000005");  // another prefix
    add("29000040");       // an EAN-8: too short to be a code of the prefix
    add("2900006");
    EXPECT_EQ(free("'29', 5, 4, 1"), "4");
    EXPECT_EQ(free("'29', 5, 4, 5"), "6");
    EXPECT_EQ(free("'29', 5, 0, 6"), "7") << "with no digits required after the number, 2900006 takes 6";
    EXPECT_EQ(free("'28', 5, 4, 4"), "5");
}

TEST_F(GetWolnePLUWagowe, RefusesWhatNoCodeCanHoldAndAFullRange) {
    for (const char* arguments : {"null, 5, 4, 1", "'29', 5, 4, null"}) EXPECT_EQ(free(arguments), "<null>") << arguments;
    const auto refusal = [&](const std::string& arguments) { return failure([&] { free(arguments); }); };
    EXPECT_NE(refusal("'29', 6, 5, 1").find("getWolnePLUWagowe: początek kodu \"29\", 6 cyfr numeru i 5 cyfr po nim "
                                            "nie mieszczą się w kodzie PLU z cyfrą kontrolną."),
              std::string::npos);
    EXPECT_NE(refusal("'2a', 5, 4, 1").find("początek kodu \"2a\""), std::string::npos);

    for (int number = 1; number <= 9; ++number) add("29" + std::to_string(number) + "0000000000");
    for (const char* arguments : {"'29', 1, 4, 1", "'29', 1, 4, 10"}) {
        EXPECT_NE(refusal(arguments).find("Brak wolnego numeru kodu PLU o początku 29: zajęte są wszystkie numery do 9."),
                  std::string::npos)
            << arguments;
    }
}

class GetWolnyIndex : public StoreRoutine {
protected:
    void add(const std::string& artIndex, int code = 6) {
        addRow("byCode, sArtIndex", std::to_string(code) + ", '" + artIndex + "'");
    }
    std::string free(const std::string& start, const std::string& length) {
        return answer("getWolnyIndex(" + start + ", " + length + ")");
    }
};

TEST_F(GetWolnyIndex, LowestUnusedNumberOfTheLengthFromStart) {
    EXPECT_EQ(free("0", "6"), "1") << "numbers start at 1";
    EXPECT_EQ(free("42", "6"), "42");
    for (const char* index : {"000001", "000002", "000002", "000003", "000005", "000100", "00004", "0000004", "00004a"})
        add(index);
    add("", 1);  // a group: no article index
    EXPECT_EQ(free("0", "6"), "4") << "indexes of another length or not all digits do not count";
    EXPECT_EQ(free("100", "6"), "101");
    EXPECT_EQ(free("1", "4"), "1");
}

TEST_F(GetWolnyIndex, PastTheLengthAndWithoutAnAnswer) {
    for (int number = 1; number <= 9; ++number) add(std::to_string(number));
    EXPECT_EQ(free("0", "1"), "10") << "every one-digit number is taken";
    EXPECT_EQ(free("1234", "3"), "1234") << "no three-digit index is that long";
    for (const auto& [start, length] : {std::pair{"1", "0"}, {"1", "-2"}, {"null", "6"}, {"1", "null"}})
        EXPECT_EQ(free(start, length), "<null>") << start << ", " << length;
}

class GetWolnyNumerWKanale : public StoreRoutine {
protected:
    void add(int section, int number) {
        addRow("byCode, nWagaSekcja, nWagaPLU", "6, " + std::to_string(section) + ", " + std::to_string(number));
    }
    std::string free(const std::string& section, const std::string& start) {
        return answer("Generators.getWolnyNumerWKanale(" + section + ", " + start + ")");
    }
};

TEST_F(GetWolnyNumerWKanale, LowestNumberTheSectionDoesNotHold) {
    EXPECT_EQ(free("1", "1"), "1");
    for (int number : {1, 2, 2, 4, 7}) add(1, number);
    add(2, 3);
    EXPECT_EQ(free("1", "1"), "3") << "a number held twice is one number";
    EXPECT_EQ(free("1", "0"), "3") << "numbers start at 1";
    EXPECT_EQ(free("1", "4"), "5");
    EXPECT_EQ(free("2", "1"), "1") << "another section's numbers do not count";
    EXPECT_EQ(free("null", "1"), "<null>");
    EXPECT_EQ(free("1", "null"), "<null>");
}

TEST_F(GetWolnyNumerWKanale, NullWhenTheSectionIsFull) {
    DBKernel::Sql::Command("insert into towar (lTowarRef, sGrIndex, byCode, nWagaSekcja, nWagaPLU) "
                           "with recursive n(x) as (select 1 union all select x + 1 from n where x < 99999) "
                           "select 1000000 + x, '0101', 6, 5, x from n",
                           session_)
        .execute();
    EXPECT_EQ(free("5", "1"), "<null>");
    EXPECT_EQ(free("5", "100000"), "<null>") << "past the largest number";
    EXPECT_EQ(free("6", "1"), "1");
}

}  // namespace
