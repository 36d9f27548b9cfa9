#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

using TestSupport::runTowary;

TEST(SqlCommand, InitMakesAStoreThatSqlQueriesAndWrites) {
    TestSupport::TempStore temp;
    const auto dir = (temp.path() / "sklep").string();
    ASSERT_EQ(runTowary({"init", dir}).exitCode, 0);

    const auto insert = runTowary(
        {"sql", dir, "insert into towar (lTowarRef, sNazwa, sKrNazwa) select 1, 'Mleko', null from dual "
                     "union all select 2, 'Chleb', 'CHLEB' from dual"});
    EXPECT_EQ(insert.exitCode, 0) << insert.err;
    EXPECT_EQ(insert.out, "Zmienionych wierszy: 2\n");

    const auto select = runTowary({"sql", dir, "select lTowarRef, sNazwa, sKrNazwa from towar order by lTowarRef"});
    EXPECT_EQ(select.exitCode, 0) << select.err;
    EXPECT_EQ(select.out, "lTowarRef\tsNazwa\tsKrNazwa\n1\tMleko\tNULL\n2\tChleb\tCHLEB\n");

    const auto none = runTowary({"sql", dir, "select sNazwa from towar where lTowarRef = 3"});
    EXPECT_EQ(none.out, "sNazwa\n");
}

TEST(SqlCommand, AFailingStatementExitsWithOneAndTheReason) {
    TestSupport::TempStore temp{TestSupport::TempStore::withDatabase};
    const auto dir = temp.path().string();
    const auto failed = runTowary({"sql", dir, "select * from cennik"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.out.empty());
    EXPECT_NE(failed.err.find("no such table: cennik"), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("select * from cennik"), std::string::npos) << failed.err;

    const auto noStore = runTowary({"sql", (temp.path() / "brak").string(), "select 1 from dual"});
    EXPECT_EQ(noStore.exitCode, 1);
    EXPECT_NE(noStore.err.find("Brak bazy danych sklepu"), std::string::npos) << noStore.err;

    EXPECT_EQ(runTowary({"sql", dir}).exitCode, 2) << "the statement is missing";
}
