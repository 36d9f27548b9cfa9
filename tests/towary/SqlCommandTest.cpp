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
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.out.empty());
    const std::string noTable = TestSupport::onServer() ? "relation \"cennik\" does not exist" : "no such table: cennik";
    EXPECT_NE(failed.err.find(noTable), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("select * from cennik"), std::string::npos) << failed.err;

    const auto noStore = TestSupport::runTowary({"sql", (scratch_.path() / "brak").string(), "select 1 from dual"});
    EXPECT_EQ(noStore.exitCode, 1);
    EXPECT_NE(noStore.err.find("Brak bazy danych sklepu"), std::string::npos) << noStore.err;
    EXPECT_EQ(TestSupport::runTowary({"sql", dir_}).exitCode, 2) << "the statement is missing";
}

}  // namespace
