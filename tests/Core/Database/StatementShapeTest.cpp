// A search runs as its shape: the values it looks for are taken out of its
// text and bound, so that a search for another value reuses the statement,
// while errors and the SQL trace still show the text as the module wrote it.

#include "Core/Database/Sql.h"
#include "Core/Database/SqlTrace.h"
#include "Core/Database/StatementShape.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using DBKernel::SqlTrace;
using DBKernel::StatementShape;
using DBKernel::TracedExecution;
using DBKernel::Sql::OpenedQuery;

namespace {

using Literals = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(StatementShape, TakesTheSearchedValuesAndLeavesWhatAParameterWouldChange) {
    const auto code = StatementShape::of("select * from towar t, (select lTowarRef from plu p where p.sPlu in "
                                         "('5901234123457', '2000012')) x where t.sNazwa = 'O''Neill' and t.n = 5");
    EXPECT_EQ(code.text, "select * from towar t , ( select lTowarRef from plu p where p . sPlu in ( :literal$1 , "
                         ":literal$2 ) ) x where t . sNazwa = :literal$3 and t . n = 5");
    EXPECT_EQ(code.literals, (Literals{{"literal$1", "5901234123457"}, {"literal$2", "2000012"},
                                       {"literal$3", "O'Neill"}}));

    const auto like = StatementShape::of(
        "select 1 from towar where sArtIndex like '%000123' and upper(sNazwa) like 'MLEKO%UHT%'");
    EXPECT_EQ(like.text, "select 1 from towar where sArtIndex like '%' || :literal$1 and upper ( sNazwa ) like "
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

// That a search for another value runs the same prepared statement is seen with the identifier
// search's ranges (LikeRangesTest.cpp).
TEST(StatementShape, TheTraceAndErrorsShowASearchAsTheModuleWroteIt) {
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    TestSupport::addProduct(session, 1, "Mleko", "0101", "000123");
    const std::string search = "select sNazwa from towar where sArtIndex like '%0123'";

    std::vector<TracedExecution> runs;
    SqlTrace::start([&runs](const TracedExecution& run) { runs.push_back(run); }, true);
    EXPECT_EQ(OpenedQuery(search, session)["sNazwa"].asString(), "Mleko");
    SqlTrace::stop();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, search);
    ASSERT_EQ(runs[0].parameters.size(), 1u);
    EXPECT_EQ(runs[0].parameters[0], (std::pair<std::string, DBKernel::Value>{"literal$1", std::string("0123")}));

    const std::string failing = "select sNazwa from towar where sNazwa = 'a' and brak = 1";
    try {
        OpenedQuery query(failing, session);
        ADD_FAILURE() << "no such column";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_EQ(e.statement(), failing);
    }
}
