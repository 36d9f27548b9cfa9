#include "Core/tools/IgnoringCase.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <string>
#include <string_view>
#include <vector>

using DBKernel::DatabaseError;
using DBKernel::Sql::OpenedQuery;
using TestSupport::rows;

namespace {

class Query : public TestSupport::StoreSession {
protected:
    Query() {
        TestSupport::exec(session, "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, bWieleCen) values "
                                   "(1, 'Mleko', '0101', 6, 0), (2, 'Chleb', '0102', 6, 0), (3, 'Masło', '0101', 6, 0)");
        TestSupport::exec(session, "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values "
                                   "(11, '5900001', 1, 1, 1), (12, '5900002', 1, 1, 3), (21, '5900003', 2, 1, 1)");
    }
};

}  // namespace

TEST_F(Query, TheLoopVisitsEveryRowTheFirstIncludedKeepsItsRowsWhenItsSessionWritesThemAndQueriesOfOneTextNest) {
    OpenedQuery all("select sNazwa from towar order by lTowarRef", session);
    EXPECT_FALSE(all.empty());
    EXPECT_EQ(all["sNazwa"].asString(), "Mleko") << "the first row is current right after opening";
    EXPECT_EQ(rows(all), "Mleko\nChleb\nMasło\n");
    EXPECT_FALSE(all.next());
    EXPECT_THROW(all["sNazwa"].asString(), DatabaseError) << "past the last row there is no row";
    EXPECT_TRUE(OpenedQuery("select sNazwa from towar where lTowarRef = 99", session).empty());

    OpenedQuery one("select 40544 dzien from dual", session);
    EXPECT_EQ(one["DZIEN"].asInt64(), 40544) << "columns are found without regard to case";
    EXPECT_THROW(one["brak"], DatabaseError);

    // A loop keeps its rows when its session writes the table it reads, and queries of one text run nested.
    // Every pass moves the current product to the end of the order; a loop
    // that saw the writes would meet the same products again and again.
    OpenedQuery loop("select lTowarRef, sNazwa from towar order by sGrIndex, lTowarRef", session);
    std::string seen;
    while (loop.next()) {
        seen += loop["sNazwa"].asString() + "\n";
        TestSupport::exec(session, "update towar set sGrIndex = '99' || sGrIndex where lTowarRef = :id",
                          {{"id", loop["lTowarRef"].asInt64()}});
        ASSERT_LT(seen.size(), 30u);
    }
    EXPECT_EQ(seen, "Mleko\nMasło\nChleb\n");

    const std::string text = "select sNazwa from towar where sGrIndex = :grupa order by lTowarRef";
    DBKernel::Sql::PreparedQuery outer(text, session);
    outer.Params["grupa"] = "990101";
    outer.execute();
    std::string pairs;
    while (outer.next())
        pairs += outer["sNazwa"].asString() + "+" + rows(session, text, {{"grupa", std::string("990102")}});
    EXPECT_EQ(pairs, "Mleko+Chleb\nMasło+Chleb\n");
}

TEST_F(Query, ParametersBindByNameInAnyCaseFieldsReadEveryTypeAndColumnsAreFoundByNameAndNamedAsWritten) {
    DBKernel::Sql::PreparedQuery codes(
        "select count(*) n from plu where lTowarRef = :produkt and (:status is null or byStatus = :STATUS)", session);
    codes.Params["PRODUKT"] = 1;
    codes.Params["status"].clear();
    codes.execute();
    EXPECT_EQ(codes["n"].asInt64(), 2);
    codes.Params["Status"] = 3.0;
    codes.execute();
    EXPECT_EQ(codes["n"].asInt64(), 1) << "a prepared query runs again with new values";

    DBKernel::Sql::Command update("update towar set sKrNazwa = :krotka, dCenaSprzed = :cena where lTowarRef = :id", session);
    update.Params["krotka"] = "MLEKO 2%";
    update.Params["cena"] = 3.49;
    update.Params["id"] = std::int64_t{1};
    update.Params["nieUzywany"] = "a parameter the statement does not name is accepted";
    EXPECT_EQ(update.execute(), 1);
    EXPECT_EQ(rows(session, "select sKrNazwa, dCenaSprzed from towar where lTowarRef = 1"), "MLEKO 2%|3.49\n");
    update.Params["krotka"] = "";
    update.execute();
    EXPECT_EQ(rows(session, "select sKrNazwa from towar where lTowarRef = 1"), "-\n")
        << "an empty text is bound as NULL, as Oracle stores it";

    DBKernel::Sql::Command missing("update towar set sNazwa = :nazwa where lTowarRef = :id", session);
    missing.Params["id"] = 1;
    const std::string unset = TestSupport::failure<DatabaseError>([&] { missing.execute(); });
    EXPECT_NE(unset.find(":nazwa"), std::string::npos) << "a parameter left unset is an error: " << unset;
    missing.Params["NAZWA"] = "Mleko 2%";
    EXPECT_EQ(missing.execute(), 1) << "a parameter set after a failed run is bound";
    missing.Params["id"] = 2;
    missing.Params["nazwa"] = "Chleb razowy";
    EXPECT_EQ(missing.execute(), 1) << "a run after the first binds the values set since";
    EXPECT_EQ(rows(session, "select sNazwa from towar where lTowarRef in (1, 2) order by lTowarRef"),
              "Mleko 2%\nChleb razowy\n");

    // Fields read every type and NULL, and const fields keep their value.
    TestSupport::exec(session, "update towar set dCenaSprzed = 12.5, nMarza = 2.6, sSWW = '0042' where lTowarRef = 1");
    OpenedQuery query("select lTowarRef, dCenaSprzed, nMarza, sSWW, sKrNazwa from towar order by lTowarRef", session);
    EXPECT_EQ(query["dCenaSprzed"].asString(), "12.5");
    EXPECT_EQ(query["nMarza"].asInt64(), 3) << "a double read as an integer is rounded";
    EXPECT_EQ(query["sSWW"].asInt64(), 42) << "a text holding a number reads as one";
    EXPECT_EQ(query["sSWW"].asString(), "0042");
    EXPECT_TRUE(query["sKrNazwa"].isNull());
    EXPECT_EQ(query["sKrNazwa"].asString(), "");
    EXPECT_EQ(query["sKrNazwa"].asInt64(), 0);
    EXPECT_EQ(std::get<std::string_view>(query["sSWW"].view()), "0042") << "a text seen where the row holds it";
    EXPECT_EQ(std::get<std::int64_t>(query["lTowarRef"].view()), 1);

    const DBKernel::Sql::ConstField first = query["lTowarRef"];
    const DBKernel::Sql::Field live = query["lTowarRef"];
    ASSERT_TRUE(query.next() && query.next());
    EXPECT_EQ(first.asInt64(), 1);
    EXPECT_EQ(live.asInt64(), 2) << "a field follows its query";

    OpenedQuery text("select sNazwa from towar where lTowarRef = 1", session);
    const std::string notANumber = TestSupport::failure<std::runtime_error>([&] { text["sNazwa"].asDouble(); });
    EXPECT_NE(notANumber.find("sNazwa"), std::string::npos) << "a text that is no number: " << notANumber;

    // Names lying close together share the places a query remembers columns in; more names than places,
    // names in another case, and another name where the first one lay still find their own.
    const char* const nameColumn = "sNazwa";  // one name in one place, read from both texts
    query.reopen("select sNazwa, lTowarRef from towar where lTowarRef = 1");
    EXPECT_EQ(query[nameColumn].asString(), "Mleko 2%");
    query.reopen("select lTowarRef, sGrIndex, sNazwa from towar where lTowarRef = 2");
    EXPECT_EQ(query[nameColumn].asString(), "Chleb razowy");
    std::string column = "sNazwa";
    EXPECT_EQ(query[column].asString(), "Chleb razowy");
    column = "sGrIndex";  // another name where the first one lay
    EXPECT_EQ(query[column].asString(), "0102");
    column = "LTOWARREF";
    EXPECT_EQ(query[column].asInt64(), 2);

    query.reopen("select * from towar order by lTowarRef");
    ASSERT_GT(query.columnCount(), 20U);
    std::string buffer;
    std::vector<std::pair<std::size_t, std::size_t>> spans;  // where each name lies in buffer
    for (std::size_t i = 0; i < query.columnCount(); ++i) {
        const std::string name = i % 2 == 0 ? query.columnName(i) : Core::lowerAscii(query.columnName(i));
        spans.emplace_back(buffer.size(), name.size());
        buffer += name;
    }
    int rows = 0;
    for (; query.next(); ++rows)
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < spans.size(); ++i) {
                const std::string_view name(buffer.data() + spans[i].first, spans[i].second);
                EXPECT_EQ(query[name].value(), query.field(i).value()) << name;
            }
    EXPECT_EQ(rows, 3);

    // A list or "towary sql" shows the same headers whatever engine holds the store.
    query.reopen(
        "select count(*), max(lTowarRef) Najwyzszy, nvl(sNazwa, 'x'), byVAT, count(*) \"Ile\", "
        "sNazwa as \"Nazwa\", max(lTowarRef) / 2, sNazwa is null, case when byVAT = 1 then 'a' end, "
        "1+2, sysdate from towar where lTowarRef = 1 group by sNazwa, byVAT");
    std::string names;
    for (std::size_t i = 0; i < query.columnCount(); ++i) names += query.columnName(i) + "; ";
    EXPECT_EQ(names,
              "count(*); Najwyzszy; nvl(sNazwa, 'x'); byVAT; Ile; Nazwa; max(lTowarRef) * 1.0 / 2; "
              "sNazwa is null; case when byVAT = 1 then 'a' end; 1 + 2; sysdate(); ");
}
