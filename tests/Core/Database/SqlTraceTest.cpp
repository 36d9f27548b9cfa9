// The SQL trace: one record per execution, in the module's text and the
// engine's, with the parameters and rows, on a real store. A search runs as
// its shape: the values it looks for are taken out of its text and bound, so
// that a search for another value reuses the statement, while errors and the
// trace still show the text as the module wrote it.

#include "Core/Database/StatementShape.h"
#include "Core/tools/IgnoringCase.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>
#include <vector>

using ::testing::HasSubstr;
using DBKernel::StatementShape;
using TracedStore = TestSupport::StoreSession;

TEST_F(TracedStore, EachExecutionIsRecordedOnceWithItsTextsParametersAndRowsAndASearchAsTheModuleWroteItNotAsItsShape) {
    TestSupport::addProduct(session, 1, "Mleko");
    TestSupport::addProduct(session, 2, "Masło");
    const std::string select = "select lTowarRef from towar where sNazwa like :NAME || '%' and lTowarRef > :from";
    DBKernel::Sql::PreparedQuery(select, session);  // the session keeps the statement; the trace takes it up

    const auto runs = TestSupport::traced([&] {
        EXPECT_EQ(TestSupport::rows(session, select, {{"name", std::string("M")}, {"from", std::int64_t{0}}}),
                  "1\n2\n");
        EXPECT_EQ(TestSupport::changed(session, "update towar t set t.sNazwa = 'Mleko UHT' where lTowarRef = :id",
                                       {{"id", std::int64_t{1}}, {"unused", std::int64_t{7}}}),
                  1);
        EXPECT_THROW(TestSupport::exec(session, "insert into towar (lTowarRef) values (1)"), DBKernel::DatabaseError);
    });
    TestSupport::exec(session, "delete from towar where lTowarRef = 2");

    ASSERT_EQ(runs.size(), 3u) << "nothing after the trace stopped";
    EXPECT_EQ(runs[0].text, select);
    // A server's translation numbers the parameters and gives LIKE no escape character, as Oracle's has none.
    const bool server = TestSupport::onServer();
    EXPECT_EQ(runs[0].engineTexts,
              std::vector<std::string>{
                  server ? "select lTowarRef from towar where sNazwa like $1 || '%' escape '' and lTowarRef > $2"
                         : "select lTowarRef from towar where sNazwa like :name || '%' and lTowarRef > :from"});
    EXPECT_EQ(runs[0].parameters, (TestSupport::Bindings{{"name", std::string("M")}, {"from", std::int64_t{0}}}));
    EXPECT_EQ(runs[0].rows, 2) << "the rows read";
    EXPECT_THAT(runs[0].plan, HasSubstr(server ? " on towar" : "SEARCH towar USING INTEGER PRIMARY KEY (rowid>?)"));

    const std::string update =
        std::string("update towar as t set sNazwa = 'Mleko UHT' where lTowarRef = ") + (server ? "$1" : ":id");
    EXPECT_EQ(runs[1].engineTexts, std::vector<std::string>{update});
    EXPECT_EQ(runs[1].parameters.size(), 1u) << "a parameter the statement does not name is not bound";
    EXPECT_EQ(runs[1].rows, 1) << "the rows changed";
    EXPECT_THAT(Core::lowerAscii(runs[2].failure), HasSubstr("towar.ltowarref"));
    EXPECT_THAT(DBKernel::SqlTrace::format(runs[1]),
                HasSubstr(" polecenie\nmoduł:\n  | update towar t set t.sNazwa = 'Mleko UHT' where lTowarRef = :id\n"
                          "silnik:\n  | " + update + "\nparametry: :id = 1;\nwiersze: 1\nplan:\n"));

    // A search shows in the trace and in errors as the module wrote it; that a search for another value runs the
    // same prepared statement is seen with the identifier search's ranges (LikeRangesTest.cpp).
    TestSupport::addProduct(session, 3, "Kefir", "0101", "000123");
    const std::string search = "select sNazwa from towar where sArtIndex like '%0123'";
    const auto searched = TestSupport::traced([&] { EXPECT_EQ(TestSupport::value(session, search), "Kefir"); });
    ASSERT_EQ(searched.size(), 1u);
    EXPECT_EQ(searched[0].text, search);
    EXPECT_EQ(searched[0].parameters, (TestSupport::Bindings{{"literal$1", std::string("0123")}}));

    const std::string failing = "select sNazwa from towar where sNazwa = 'a' and brak = 1";
    EXPECT_EQ(TestSupport::caught<DBKernel::DatabaseError>([&] { TestSupport::value(session, failing); },
                                                           [](const DBKernel::DatabaseError& e) { return e.statement(); }),
              failing);

    // The shape takes the searched values and leaves what a parameter would change.
    const auto code = StatementShape::of(
        "select * from towar t, (select lTowarRef from plu p where p.sPlu in "
        "('5901234123457', '2000012')) x where t.sNazwa = 'O''Neill' and t.n = 5");
    EXPECT_EQ(code.text,
              "select * from towar t , ( select lTowarRef from plu p where p . sPlu in ( :literal$1 , "
              ":literal$2 ) ) x where t . sNazwa = :literal$3 and t . n = 5");
    using Literals = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(code.literals,
              (Literals{{"literal$1", "5901234123457"}, {"literal$2", "2000012"}, {"literal$3", "O'Neill"}}));

    const auto like =
        StatementShape::of("select 1 from towar where sArtIndex like '%000123' and upper(sNazwa) like 'MLEKO%UHT%'");
    EXPECT_EQ(like.text,
              "select 1 from towar where sArtIndex like '%' || :literal$1 and upper ( sNazwa ) like "
              ":literal$2 || '%UHT%'");
    EXPECT_EQ(like.literals, (Literals{{"literal$1", "000123"}, {"literal$2", "MLEKO"}}));

    // Left as written: a select list's literals (they name its columns), also in a subquery
    // there; the empty text (NULL); a pattern of a column's beginning (SQLite seeks an index
    // for it only as a literal); an "in" list holding more than literals; writes.
    for (const std::string text :
         {"select 'a' kind, (select 1 from dual where x = 'b') y from towar where sGrIndex like '01%'",
          "select 1 from towar where sNazwa = '' or sNazwa like '%a%' or upper(sNazwa) like '%A'",
          "select 1 from towar where sNazwa in ('a' || x)", "update towar set sNazwa = 'a' where sGrIndex = 'b'"}) {
        const auto kept = StatementShape::of(text);
        EXPECT_EQ(kept.text, text);
        EXPECT_TRUE(kept.literals.empty()) << text;
    }
}
