#include "tests/support/TowaryStore.h"

namespace {

class SqlCommand : public TestSupport::TowaryStore {};

TEST_F(SqlCommand, QueriesAndWritesTheStoreAndAFailingStatementExitsWithOneAndTheReason) {
    expectOutput(sql("insert into towar (lTowarRef, sNazwa, sKrNazwa) select 1, 'Mleko', null from dual "
                     "union all select 2, 'Chleb', 'CHLEB' from dual"),
                 "Zmienionych wierszy: 2\n");
    expectOutput(sql("select lTowarRef, sNazwa, sKrNazwa from towar order by lTowarRef"),
                 "lTowarRef\tsNazwa\tsKrNazwa\n1\tMleko\tNULL\n2\tChleb\tCHLEB\n");
    expectOutput(sql("select sNazwa from towar where lTowarRef = 3"), "sNazwa\n");

    const auto failed = sql("select * from cennik");
    expectFailureWith(failed, TestSupport::onServer() ? "relation \"cennik\" does not exist" : "no such table: cennik");
    expectFailureWith(failed, "select * from cennik");
    EXPECT_TRUE(failed.out.empty());

    expectFailureWith(TestSupport::runTowary({"sql", file("brak"), "select 1 from dual"}), "Brak bazy danych sklepu");
    EXPECT_EQ(TestSupport::runTowary({"sql", dir_}).exitCode, 2) << "the statement is missing";
}

}  // namespace
