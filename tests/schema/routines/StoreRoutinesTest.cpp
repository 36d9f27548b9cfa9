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

TEST(StoreRoutine, EachGivesTheLowestFreeNumberOfItsKindAndNoneOrARefusalWhenThereIsNone) {
    const TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    TSessionHolder session;
    TestSupport::addProduct(session, 999, "Ser");
    int codes = 1000;
    // A code of product 999.
    const auto addCode = [&](const std::string& code, int status = 1) {
        TestSupport::addCode(session, ++codes, 999, code, status);
    };
    // A towar row of group 0101 (newref) with the columns and values given.
    const auto addRow = [&](const std::string& columns, const std::string& values) {
        TestSupport::exec(session, "insert into towar (lTowarRef, sGrIndex, " + columns + ") values (newref, '0101', " +
                                       values + ")");
    };
    const auto addIndex = [&](const std::string& artIndex, int code = 6) {
        addRow("byCode, sArtIndex", std::to_string(code) + ", '" + artIndex + "'");
    };
    const auto addScaleNumber = [&](int section, int number) {
        addRow("byCode, nWagaSekcja, nWagaPLU", "6, " + std::to_string(section) + ", " + std::to_string(number));
    };
    // The routine's answer as text, "<null>" for none.
    const auto answer = [&](const std::string& call) {
        return TestSupport::value(session, "select " + call + " from dual");
    };

    // getWolnePLUWagowe: the lowest number no code of the prefix takes, and refusals of what no code can hold.
    EXPECT_EQ(answer("getWolnePLUWagowe('29', 5, 4, 0)"), "1") << "numbers start at 1";
    // A deleted code still holds its number; one without its check digit too; 2800004000005 is of
    // another prefix, and an EAN-8 (29000040) too short to be a code of the prefix.
    for (const char* code : {"2900001012509", "2900002099996", "290000300000", "2900005012509", "2800004000005",
                             "29000040", "2900006"})
        addCode(code);
    addCode("2900002000003", 3);
    EXPECT_EQ(answer("getWolnePLUWagowe('29', 5, 4, 1)"), "4");
    EXPECT_EQ(answer("getWolnePLUWagowe('29', 5, 4, 5)"), "6");
    EXPECT_EQ(answer("getWolnePLUWagowe('29', 5, 0, 6)"), "7")
        << "with no digits required after the number, 2900006 takes 6";
    EXPECT_EQ(answer("getWolnePLUWagowe('28', 5, 4, 4)"), "5");

    // What no code can hold is refused, and so is a full range.
    for (const char* arguments : {"null, 5, 4, 1", "'29', 5, 4, null"})
        EXPECT_EQ(answer("getWolnePLUWagowe(" + std::string(arguments) + ")"), "<null>") << arguments;
    const auto refusal = [&](const std::string& arguments) {
        return failure([&] { answer("getWolnePLUWagowe(" + arguments + ")"); });
    };
    EXPECT_NE(refusal("'29', 6, 5, 1").find("getWolnePLUWagowe: początek kodu \"29\", 6 cyfr numeru i 5 cyfr po nim "
                                            "nie mieszczą się w kodzie PLU z cyfrą kontrolną."),
              std::string::npos);
    EXPECT_NE(refusal("'2a', 5, 4, 1").find("początek kodu \"2a\""), std::string::npos);

    for (int number = 1; number <= 9; ++number) addCode("29" + std::to_string(number) + "0000000000");
    const std::string full = "Brak wolnego numeru kodu PLU o początku 29: zajęte są wszystkie numery do 9.";
    for (const char* arguments : {"'29', 1, 4, 1", "'29', 1, 4, 10"})
        EXPECT_NE(refusal(arguments).find(full), std::string::npos) << arguments;

    // getWolnyIndex: the lowest unused number of the length from the start, past it, or none.
    EXPECT_EQ(answer("getWolnyIndex(0, 6)"), "1") << "numbers start at 1";
    EXPECT_EQ(answer("getWolnyIndex(42, 6)"), "42");
    for (const char* index : {"000001", "000002", "000002", "000003", "000005", "000100", "00004", "0000004", "00004a"})
        addIndex(index);
    addIndex("", 1);  // a group: no article index
    EXPECT_EQ(answer("getWolnyIndex(0, 6)"), "4") << "indexes of another length or not all digits do not count";
    EXPECT_EQ(answer("getWolnyIndex(100, 6)"), "101");
    EXPECT_EQ(answer("getWolnyIndex(1, 4)"), "1");

    // Past the length, and without an answer.
    for (int number = 1; number <= 9; ++number) addIndex(std::to_string(number));
    EXPECT_EQ(answer("getWolnyIndex(0, 1)"), "10") << "every one-digit number is taken";
    EXPECT_EQ(answer("getWolnyIndex(1234, 3)"), "1234") << "no three-digit index is that long";
    for (const char* arguments : {"1, 0", "1, -2", "null, 6", "1, null"})
        EXPECT_EQ(answer("getWolnyIndex(" + std::string(arguments) + ")"), "<null>") << arguments;

    // Generators.getWolnyNumerWKanale: the lowest number the section does not hold, none when it is full.
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(1, 1)"), "1");
    for (int number : {1, 2, 2, 4, 7}) addScaleNumber(1, number);
    addScaleNumber(2, 3);
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(1, 1)"), "3") << "a number held twice is one number";
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(1, 0)"), "3") << "numbers start at 1";
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(1, 4)"), "5");
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(2, 1)"), "1") << "another section's numbers do not count";
    for (const char* arguments : {"null, 1", "1, null"})
        EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(" + std::string(arguments) + ")"), "<null>") << arguments;

    // None when the section is full.
    TestSupport::exec(session, "insert into towar (lTowarRef, sGrIndex, byCode, nWagaSekcja, nWagaPLU) "
                               "with recursive n(x) as (select 1 union all select x + 1 from n where x < 99999) "
                               "select 1000000 + x, '0101', 6, 5, x from n");
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(5, 1)"), "<null>");
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(5, 100000)"), "<null>") << "past the largest number";
    EXPECT_EQ(answer("Generators.getWolnyNumerWKanale(6, 1)"), "1");
}

}  // namespace
