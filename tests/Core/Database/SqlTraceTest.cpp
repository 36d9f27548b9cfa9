// The SQL trace: one record per execution, in the module's text and the
// engine's, with the parameters and rows, on a real store.

#include "Core/Database/Sql.h"
#include "Core/Database/SqlTrace.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using DBKernel::SqlTrace;
using DBKernel::TracedExecution;
using DBKernel::Sql::Command;
using DBKernel::Sql::PreparedQuery;

TEST(SqlTrace, EachExecutionIsRecordedOnceWithItsTextsParametersAndRows) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    TestSupport::addProduct(session, 1, "Mleko");
    TestSupport::addProduct(session, 2, "Masło");
    const std::string select = "select lTowarRef from towar where sNazwa like :NAME || '%' and lTowarRef > :from";
    { PreparedQuery prepared(select, session); }  // the session keeps the statement; the trace takes it up

    std::vector<TracedExecution> runs;
    SqlTrace::start([&runs](const TracedExecution& run) { runs.push_back(run); }, true);
    PreparedQuery query(select, session);
    query.Params["name"] = "M";
    query.Params["from"] = 0;
    query.execute();
    while (query.next()) {
    }
    Command rename("update towar t set t.sNazwa = 'Mleko UHT' where lTowarRef = :id", session);
    rename.Params["id"] = 1;
    rename.Params["unused"] = 7;
    rename.execute();
    EXPECT_THROW(Command("insert into towar (lTowarRef) values (1)", session).execute(), DBKernel::DatabaseError);
    SqlTrace::stop();
    Command("delete from towar where lTowarRef = 2", session).execute();

    ASSERT_EQ(runs.size(), 3u) << "nothing after the trace stopped";
    EXPECT_EQ(runs[0].text, select);
    // A server's translation numbers the parameters and gives LIKE no escape character, as Oracle's has none.
    const bool server = TestSupport::onServer();
    EXPECT_EQ(runs[0].engineTexts,
              std::vector<std::string>{
                  server ? "select lTowarRef from towar where sNazwa like $1 || '%' escape '' and lTowarRef > $2"
                         : "select lTowarRef from towar where sNazwa like :name || '%' and lTowarRef > :from"});
    ASSERT_EQ(runs[0].parameters.size(), 2u);
    EXPECT_EQ(runs[0].parameters[0].first, "name");
    EXPECT_EQ(runs[0].parameters[0].second, DBKernel::Value(std::string("M")));
    EXPECT_EQ(runs[0].parameters[1].second, DBKernel::Value(std::int64_t{0}));
    EXPECT_EQ(runs[0].rows, 2) << "the rows read";
    EXPECT_NE(runs[0].plan.find(server ? " on towar" : "SEARCH towar USING INTEGER PRIMARY KEY (rowid>?)"),
              std::string::npos)
        << runs[0].plan;

    const std::string update = std::string("update towar as t set sNazwa = 'Mleko UHT' where lTowarRef = ") +
                               (server ? "$1" : ":id");
    EXPECT_EQ(runs[1].engineTexts, std::vector<std::string>{update});
    ASSERT_EQ(runs[1].parameters.size(), 1u) << "a parameter the statement does not name is not bound";
    EXPECT_EQ(runs[1].rows, 1) << "the rows changed";
    EXPECT_NE(Core::lowerAscii(runs[2].failure).find("towar.ltowarref"), std::string::npos) << runs[2].failure;

    const std::string record = SqlTrace::format(runs[1]);
    EXPECT_NE(record.find(" polecenie\nmoduł:\n  | update towar t set t.sNazwa = 'Mleko UHT' where lTowarRef = :id\n"
                          "silnik:\n  | " + update + "\n"
                          "parametry: :id = 1;\nwiersze: 1\nplan:\n"),
              std::string::npos)
        << record;
}
