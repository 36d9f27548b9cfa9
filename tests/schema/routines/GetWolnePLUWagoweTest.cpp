#include "Core/Database/Sql.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

using TestSupport::failure;

// The store routine as the special-code generator calls it, on a store holding codes.
class GetWolnePLUWagowe : public ::testing::Test {
protected:
    GetWolnePLUWagowe() { TestSupport::addProduct(session_, 999, "Ser"); }

    void add(const std::string& code, int status = 1) {
        DBKernel::Sql::Command insert(
            "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (newref, :code, 999, :status)", session_);
        insert.Params["code"] = code;
        insert.Params["status"] = status;
        insert.execute();
    }

    // The answer as text, "NULL" for none.
    std::string free(const std::string& arguments) {
        DBKernel::Sql::OpenedQuery query("select getWolnePLUWagowe(" + arguments + ") as pluNo from dual", session_);
        return query["pluNo"].isNull() ? "NULL" : query["pluNo"].asString();
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    TSessionHolder session_;
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
    for (const char* arguments : {"null, 5, 4, 1", "'29', 5, 4, null"}) EXPECT_EQ(free(arguments), "NULL") << arguments;
    for (const char* arguments : {"'29', 6, 5, 1", "'2a', 5, 4, 1"})
        EXPECT_NE(failure([&] { free(arguments); }).find("nie mieszczą się w kodzie PLU"), std::string::npos);

    for (int number = 1; number <= 9; ++number) add("29" + std::to_string(number) + "0000000000");
    EXPECT_NE(failure([&] { free("'29', 1, 4, 1"); }).find("Brak wolnego numeru kodu PLU o początku 29"),
              std::string::npos);
    EXPECT_NE(failure([&] { free("'29', 1, 4, 10"); }).find("Brak wolnego numeru"), std::string::npos);
}

}  // namespace
