// The module's statements in its own dialect (Oracle's): the texts they become
// on SQLite and on PostgreSQL, and the rows they give through the layer on a
// store of the run's engine.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTree.h"
#include "Core/tools/DayNumber.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using DBKernel::Dialect::Target;
using DBKernel::Dialect::translate;
using Statements = std::vector<std::string>;

namespace {

struct TranslateCase {
    std::string oracle;
    Statements sqlite = {};
    Statements postgres = {};
    // When given, the case runs on the store: the rows it gives (of `check` after a write),
    // as TestSupport::rows writes them.
    std::optional<std::string> rows = {};
    TestSupport::Bindings bind = {};
    std::string check = {};
    Statements setup = {};  // rows the case adds to the store's
    std::pair<bool, bool> locks = {};  // on either engine: whether it locks rows, and without waiting
};

const std::string kMerge =
    "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n \t, :lUzytkRef "
    "lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n then update set lIlosc = "
    "x.lIlosc, lUzytkRef = x.lUzytkRef\n when not matched\n then insert (lSpecCenDrukRef, lIlosc, lPluRef, "
    "lUzytkRef)\n \tvalues (NewRef, x.lIlosc, x.lPluRef, x.lUzytkRef)";
const std::string kSpecialPrices = "select lPluRef, lIlosc, lUzytkRef from SpecCenDruk order by 1";

// The element of a multi-price ware that sells at a price, or the first one.
const std::string kElementByPrice =
    "select * from (select ltowarref from (select 0, ltowarref from warsprz where ltowarref in (select ltowarref "
    "from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen) and round(dcenasprzed, 2) = "
    "round(:dCenaSprzed, 2) union select 1, ltowarref from towar where sgrindex = :sGrIndex and bwielecen = "
    ":bWieleCen and not exists (select ltowarref from warsprz where ltowarref in (select ltowarref from towar "
    "where sgrindex = :sGrIndex and bwielecen = :bWieleCen))) order by 1) where rownum = 1";

// The rows show what a translation means; its text is pinned down where the rows cannot show it:
// an index a range lets the engine seek, what a rule must leave alone, statements on tables the
// store does not have.
const std::vector<TranslateCase> kCases{
    {.oracle = "select t.ltowarref, decode (t.byvat, 2, 9, 3, 12, null, 0, 1) from towar t order by 1",
     .rows = "1|9\n2|12\n3|1\n4|0\n"},
    {.oracle = "select decode(:a, :b, 'tak', 'nie'), decode(t.sGrIndex, 12, 'dwanaście'), decode(-1, -1, 'x') from "
               "towar t where t.lTowarRef = 3",
     .rows = "tak|dwanaście|x\n",
     .bind = {{"a", DBKernel::Value{}}, {"b", DBKernel::Value{}}}},
    {.oracle = "select previousCondition.dCenaSprzed / decode(t.dPrzelicznik, null, 1, 0, 1, t.dPrzelicznik) from "
               "towar t, towar previousCondition where previousCondition.lTowarRef = t.lTowarRef order by t.lTowarRef",
     .rows = "9.994\n5.5\n6.25\n-\n"},
    {.oracle = "select nvl(t.dataOstSprzed, nvl(:dflt, 1)) from towar t where t.lTowarRef in (1, 2) order by "
               "t.lTowarRef",
     .rows = "39000\n40001\n",
     .bind = {{"dflt", std::int64_t{40001}}}},
    {.oracle = "select ltowarref from towar where bytyp = 1 and rownum = 1", .rows = "1\n"},
    {.oracle = "select * from towar where rownum < 3", .sqlite = {"select * from towar limit 2"}},
    {.oracle = kElementByPrice,
     .rows = "11\n",
     .bind = {{"sGrIndex", "010301"}, {"bWieleCen", std::int64_t{1}}, {"dCenaSprzed", 9.994}},
     .setup = {"insert into towar (lTowarRef, sGrIndex, bWieleCen, byTyp) values (10, '010301', 0, 9), (11, '010301', "
               "1, 4), (12, '010301', 1, 4)",
               "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) values (1, 11, 1, 2, 9.99), "
               "(2, 12, 1, 2, 12.49)"}},
    // The outer join marker becomes a left join, on either side, on several conditions of one table.
    {.oracle = "select t.lTowarRef, p.sPLU from towar t, plu p where t.lTowarRef = p.lTowarRef(+) and p.byStatus(+) "
               "= 1 order by 1",
     .rows = "1|590123\n2|-\n3|777\n4|-\n"},
    {.oracle = "\n select nvl(tg.sArtIndex, t.sArtIndex) productIndex\n from towar t,\n (\n \tselect sArtIndex, "
               "sGrIndex from towar where byTyp = 9\n ) tg\n where t.sGrIndex = tg.sGrIndex(+)\n \tand "
               "t.nStatusAktywnosci in (4, 8)\n group by nvl(tg.sArtIndex, t.sArtIndex)",
     .sqlite = {"select nvl(tg.sArtIndex, t.sArtIndex) productIndex from towar t left join (select sArtIndex, "
                "sGrIndex from towar where byTyp = 9) tg on t.sGrIndex = tg.sGrIndex where t.nStatusAktywnosci in "
                "(4, 8) group by nvl(tg.sArtIndex, t.sArtIndex)"}},
    {.oracle = "select 1 from a, b, c where b.x(+) = a.x and a.y = 1 and b.z(+) = 2 and c.k = a.k",
     .sqlite = {"select 1 from a, c left join b on b.x = a.x and b.z = 2 where a.y = 1 and c.k = a.k"}},
    {.oracle = "select sGrIndex from towar where byTyp <> 4 minus select sGrIndex from towar where byTyp = 9 "
               "order by 1",
     .rows = "0101\n12\n"},
    {.oracle = kMerge,
     .rows = "1|8|9\n",
     .bind = {{"lPluRef", std::int64_t{1}}, {"lIlosc", std::int64_t{8}}, {"lUzytkRef", std::int64_t{9}}},
     .check = kSpecialPrices},
    {.oracle = kMerge,
     .rows = "1|5|7\n3|2|9\n",
     .bind = {{"lPluRef", std::int64_t{3}}, {"lIlosc", std::int64_t{2}}, {"lUzytkRef", std::int64_t{9}}},
     .check = kSpecialPrices},
    {.oracle = " update plu p set   p.splu = :PLU , p.bystatus = :STATUS where p.splu = :QPLU",
     .rows = "3|0777|3\n",
     .bind = {{"PLU", "0777"}, {"STATUS", std::int64_t{3}}, {"QPLU", "777"}},
     .check = "select lPluRef, sPLU, byStatus from plu where lTowarRef = 3"},
    {.oracle = "delete zmianavat z where z.ddata >= 40544", .rows = "1\n", .check = "select count(*) from zmianavat"},
    // Past the comments; product 2 has its change planned already.
    {.oracle = "insert into zmianavat ( lzmianavatref , ltowarref , ddata , byvat , bapplied , dczasmod) select newref "
               ", t.ltowarref , 40544\n-- 3%->5%, 7%->8%, 22%->23%, 0%->5%, zwl->23%\n, decode (t.byvat, 2, 9, 3, 12, "
               "6, 13, 1, 9, 8, 13) , 0 , borlandsysdate from towar t where t.byvat in (2, 3, 6, 1, 8) -- stawki 3%, "
               "7%, 23%, 0%, zwl\nand not exists ( select 1 from zmianavat z where z.ltowarref = t.ltowarref and "
               "z.ddata >= 40544)",
     .rows = "1|40000|9|-\n1|40544|9|0\n2|40544|12|-\n3|40544|13|0\n",
     .check = "select ltowarref, ddata, byvat, bapplied from zmianavat order by 1, 2"},
    {.oracle = "select\n\tstatuschangeid\n\t, productid\n\t, status newStatus\n\t, t.nstatusaktywnosci oldStatus\nfrom"
               "\n\tstatuschange zv, towar t\nwhere\n\t(zv.productid, zv.changedate) in\n\t(select\n\t\tproductid\n\t\t"
               ", max(changedate) ddata\n\tfrom\n\t\tstatuschange\n\twhere\n\t\tchangedate <= 201\n\tgroup by\n\t\t"
               "productid)\n\tand zv.productid = t.ltowarref\n\tand (applied = 0 or applied is null)",
     .rows = "2|1|8|-\n",
     .setup = {"insert into statuschange (statuschangeid, productid, status, changedate, applied, czasMod) values "
               "(1, 1, 4, 200, 0, 0), (2, 1, 8, 201, null, 0), (3, 1, 5, 202, 0, 0)"}},
    {.oracle = "select Generators.getWolnyNumerWKanale(3, 1) as n, floor(sysdate) - :today, floor(borlandsysdate) - "
               ":today from dual",
     .rows = "2|0|0\n",
     .bind = {{"today", std::int64_t{Core::DayNumber::today()}}}},
    {.oracle = "select sysdate, NewRef, newref(), t.sysdate from t",
     .sqlite = {"select sysdate(), NewRef(), newref(), t.sysdate from t"}},
    // The identifier search's ranges: on the literal's beginning, or the bound value's.
    {.oracle = "select lower(sNazwa) from towar where upper(sNazwa) like 'MLE%KO%' order by 1",
     .sqlite = {"select lower(sNazwa) from towar where (polish_upper(sNazwa) >= 'MLE' and polish_upper(sNazwa) < "
                "'MLF' and polish_upper(sNazwa) like 'MLE%KO%') order by 1"},
     .rows = "mleczko\nmleko\n"},
    {.oracle = "select lTowarRef from Towar where sArtIndex like '%0123'",
     .sqlite = {"select lTowarRef from Towar where (reverse_chars(sArtIndex) >= '3210' and reverse_chars(sArtIndex) "
                "< '3211' and sArtIndex like '%0123')"},
     .rows = "1\n"},
    // A server's ranges (bounds in byte order, every row for a pattern without a range) are seen seeking
    // its index and finding the like's own rows in the identifier search's tests (LikeRangesTest.cpp).
    {.oracle = "select lTowarRef from Towar where upper(sNazwa) like :p || '%' and sArtIndex like '%' || :q",
     .sqlite = {"select lTowarRef from Towar where (polish_upper(sNazwa) >= like_prefix(:p) and polish_upper(sNazwa) "
                "< like_prefix_end(:p) and polish_upper(sNazwa) like :p || '%') and (reverse_chars(sArtIndex) >= "
                "like_prefix(reverse_chars(:q)) and reverse_chars(sArtIndex) < like_prefix_end(reverse_chars(:q)) "
                "and sArtIndex like '%' || :q)"},
     .rows = "1\n",
     .bind = {{"p", "MLE"}, {"q", "23"}}},
    {.oracle = "select 1 from Towar where sNazwa not like '%a' or x like '%a' || y",
     .sqlite = {"select 1 from Towar where sNazwa not like '%a' or x like '%a' || y"}},
    // Polish letters fold.
    {.oracle = "select t.lTowarRef from towar t, \n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere "
               "upper(sNazwa) like 'MASŁ%'\n ) identifier where identifier.productId = t.lTowarRef",
     .rows = "2\n"},
    // Oracle's LIKE escapes nothing unless the condition names an escape character.
    {.oracle = "select lTowarRef from towar where sArtIndex like :productIndex || '%' or sNazwa like 'M\\%' or sNazwa "
               "like '50\\%' escape '\\' order by 1",
     .rows = "1\n",
     .bind = {{"productIndex", "000123"}}},
    // The empty text is NULL, as in Oracle.
    {.oracle = "select count(*) from towar where sgrindex like ''",
     .sqlite = {"select count(*) from towar where sgrindex like null"}},
    // Numbers beside text keep their text; group keys written as numbers keep their leading zeros.
    {.oracle = "select lPluRef from plu where sPLU = 590123 or 777 = sPLU or sPLU in (1, 2) or lPluRef in (05) order "
               "by 1",
     .rows = "1\n3\n"},
    {.oracle = "select t.sgrindex from towar t where 1=1 and (t.sgrindex like '01%') and t.sgrindex not in (0102, "
               "0304) and t.bycode in (06)",
     .rows = "0101\n"},
    // A key of a deep hierarchy, past 64 bits.
    {.oracle = "select sgrindex from towar where sgrindex not in (12345678901234567890, 0101, 0102, 12)",
     .rows = "12345678901234567891\n",
     .setup = {"insert into towar (lTowarRef, sGrIndex) values (5, '12345678901234567890'), "
               "(6, '12345678901234567891')"}},
    {.oracle = "select sGrIndex || 1, 1 || 2, 'a' || '' from towar where sgrindex not in (0102, 12)",
     .rows = "01011|12|-\n"},
    {.oracle = "select instr(sNazwa, 'ko'), round(dCenaSprzed, 2), trunc(dCenaSprzed), 7 / 2 from towar where "
               "lTowarRef = 1",
     .rows = "4|9.99|9|3.5\n"},
    {.oracle = "select to_number(sGrIndex) from towar", .postgres = {"select cast(sGrIndex as numeric) from towar"}},
    // Only "1 = 0 or" opening a group with more after it goes, so that an index serves the rest.
    {.oracle = "select sgrindex from towar where ((1 = 0 or sgrindex like '01%' or sgrindex like '12%' ) and 1 = 1 "
               "and sgrindex not like '0102%' ) order by sgrindex",
     .sqlite = {"select sgrindex from towar where ((sgrindex like '01%' or sgrindex like '12%') and 1 = 1 and "
                "sgrindex not like '0102%') order by sgrindex"},
     .rows = "0101\n12\n"},
    {.oracle = "select count(*) from towar where (1 = 0 or sgrindex is null)", .rows = "1\n"},
    {.oracle = "select 1 from dual where ((1 = 0 ) and 1 = 1 )",
     .sqlite = {"select 1 from dual where ((1 = 0) and 1 = 1)"}},
    {.oracle = "select 1 from dual where (1 = 01 or 1 = 1)",
     .sqlite = {"select 1 from dual where (1 = '01' or 1 = 1)"}},
    {.oracle = "select 1 from dual where 1 = 0 or 1 = 1", .sqlite = {"select 1 from dual where 1 = 0 or 1 = 1"}},
    // An IN list cut into groups (of 1000, as Oracle allows) is one list again: the same rows, also with a NULL.
    {.oracle = "select count(*) from dual d where (d.dummy in ('A', 'B') or D.Dummy in ('X'))",
     .sqlite = {"select count(*) from dual d where (d.dummy in ('A', 'B', 'X'))"},
     .rows = "1\n"},
    {.oracle = "select count(*) from dual where (dummy not in ('A') and dummy not in ('X', null))",
     .sqlite = {"select count(*) from dual where (dummy not in ('A', 'X', null))"},
     .rows = "0\n"},
    // Only a group of nothing but such terms on one column, all IN or all NOT IN, is joined.
    {.oracle = "select count(*) from dual where (dummy in ('A') or dummy not in ('B'))",
     .sqlite = {"select count(*) from dual where (dummy in ('A') or dummy not in ('B'))"},
     .rows = "1\n"},
    {.oracle = "select count(*) from dual d where (d.dummy in ('A') or dummy in ('X') and 1 = 0)",
     .sqlite = {"select count(*) from dual d where (d.dummy in ('A') or dummy in ('X') and 1 = 0)"},
     .rows = "0\n"},
    {.oracle = "select count(*) from dual where (dummy in ('A') or dummy in (select 'X' from dual))",
     .sqlite = {"select count(*) from dual where (dummy in ('A') or dummy in (select 'X' from dual))"},
     .rows = "1\n"},
    {.oracle = "select lpluref from plu where sPLU = :plu for update nowait",
     .rows = "1\n",
     .bind = {{"plu", "590123"}},
     .locks = {true, true}},
    {.oracle = "select p.lpluref from plu p where p.lTowarRef = 1 and rownum <= 2 for update of p.bystatus, p.splu",
     .rows = "1\n",
     .locks = {true, false}},
    // A lock of a table checks only that the table is there: SQLite's transaction holds the whole store.
    {.oracle = "lock table ReturnReason in exclusive mode",
     .sqlite = {"select 1 from ReturnReason limit 0"},
     .postgres = {"lock table ReturnReason in exclusive mode"}},
};

// The store every case starts from.
class TranslatedOnTheStore : public TestSupport::StoreSession {
protected:
    TranslatedOnTheStore() {
        for (const char* rows : {
                 "insert into towar (lTowarRef, sArtIndex, sGrIndex, sNazwa, byTyp, byVat, dPrzelicznik, dCenaSprzed, "
                 "dataOstSprzed, nWagaSekcja, nWagaPLU, byCode) values "
                 "(1, '000123', '0101', 'mleko', 1, 2, null, 9.994, 39000, null, null, 6), "
                 "(2, '000124', '0102', 'Masło', 9, 3, 0, 5.5, null, null, null, 6), "
                 "(3, null, '12', 'mleczko', 1, 6, 2, 12.5, null, 3, 1, 6), "
                 "(4, '000120', null, 'M%', 4, null, 1, null, null, null, null, 6)",
                 "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (1, '590123', 1, 1), "
                 "(2, '0590123', 2, 3), (3, '777', 3, 1)",
                 "insert into SpecCenDruk (lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef) values (1, 1, 5, 7)",
                 "insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat) values (1, 1, 40000, 9), "
                 "(2, 2, 40544, 12)",
             })
            TestSupport::exec(session, rows);
    }
};

std::string translationError(const std::string& sql, Target target = Target::sqlite) {
    return TestSupport::failure<std::runtime_error>([&] { translate(sql, target); });
}

}  // namespace

TEST_F(TranslatedOnTheStore, TheModulesStatementsBecomeEachEnginesTextWithTheirLocksAndRowsOrAreRefusedNamingTheEngine) {
    for (const TranslateCase& each : kCases) {
        for (const Target target : {Target::sqlite, Target::postgresql}) {
            const auto translation = translate(each.oracle, target);
            // A case without the text of an engine leaves it to the rows.
            const Statements& text = target == Target::sqlite ? each.sqlite : each.postgres;
            EXPECT_EQ(text.empty() ? text : translation.statements, text) << each.oracle;
            EXPECT_EQ(std::pair(translation.lockRows, translation.lockNowait), each.locks) << each.oracle;
        }
        if (!each.rows) continue;
        session.StartTransaction();
        try {
            for (const std::string& statement : each.setup) TestSupport::exec(session, statement);
            // A write is checked by the rows of `check` after it.
            if (!each.check.empty()) TestSupport::exec(session, each.oracle, each.bind);
            const std::string rows = each.check.empty() ? TestSupport::rows(session, each.oracle, each.bind)
                                                        : TestSupport::rows(session, each.check);
            EXPECT_EQ(rows, *each.rows) << each.oracle;
        } catch (const std::exception& e) {
            ADD_FAILURE() << each.oracle << "\n" << e.what();
        }
        session.Rollback();
    }

    // What cannot be carried over is refused naming the engine and the statement, and nesting is limited
    // before the rules see it.
    const std::pair<std::string, std::string> postgres[] = {
        {"select instr(sNazwa, 'a', 2) from towar", "instr z pozycją początkową lub numerem wystąpienia"},
        {"select to_number(sGrIndex, '999') from towar", "to_number z formatem"},
        {"select decode(a, 1) from t", "decode z mniej niż trzema argumentami"},
        {"select decode(a,, 9, 'x', null) from t", "pusty argument funkcji"},
        {"select 1 from t where rownum > 2", "rownum w porównaniu innym niż rownum = 1, rownum <= n, rownum < n"},
        {"select 1 from t where a = 'x", "Błąd składni SQL: niezakończony tekst w apostrofach (pozycja 27)"},
        {"select 1 from t for update of c", "for update of z kolumną bez aliasu tabeli"},
    };
    for (const auto& [sql, construct] : postgres)
        EXPECT_EQ(translationError(sql, Target::postgresql),
                  "Nie można przenieść polecenia SQL na PostgreSQL: " + construct + ".\nPolecenie: " + sql);
    EXPECT_EQ(translationError("select instr(a, 'b', 1, 2) from t"), "no exception") << "SQLite has its own instr";

    for (const char* statement : {
             "select 1 from towar where rownum = 2",
             "select sNazwa from towar where rownum <= 3 order by sNazwa",
             "select a from t where rownum = 1 union select b from u",
             "select count(*) n from towar where rownum <= 2",
             "select distinct sGrIndex from towar where rownum <= 2",
             "select a from t where a = 1 or rownum = 1",
             "select a from t where nvl(rownum, 0) = 1",
             "select 1 from towar t, plu p where t.ltowarref = p.ltowarref(+) or p.byStatus = 1",
             "select 1 from towar t, plu p where t.ltowarref(+) = p.ltowarref(+)",
             "select 1 from towar t where t.a = x.b(+)",
             "update plu set byStatus = 3 where rownum = 1",
             "merge into SpecCenDruk scd using dual on (1 = 1) when matched then update set lIlosc = 1 where 1 = 0",
             "merge into SpecCenDruk scd using dual x when matched then update set lIlosc = 1",
             "select (1 from dual",
             "select 'abc from dual",
             "  -- nothing\n",
         }) {
        const std::string error = translationError(statement);
        EXPECT_EQ(error.find("Nie można przenieść polecenia SQL na SQLite"), 0u) << statement << ": " << error;
        EXPECT_NE(error.find(statement), std::string::npos) << statement << ": " << error;
    }

    const auto nested = [](std::size_t depth) {
        return "select " + std::string(depth, '(') + "1" + std::string(depth, ')') + " from dual";
    };
    const std::string deepest = nested(DBKernel::Dialect::kMaxNesting);
    EXPECT_EQ(translate(deepest).statements, Statements{deepest});
    const std::string error = translationError(nested(40000));
    EXPECT_EQ(error.find("Nie można przenieść polecenia SQL na SQLite: Błąd składni SQL: więcej niż 64 poziomy "
                         "zagnieżdżonych nawiasów."),
              0u)
        << error.substr(0, 200);
}

// The Oracle functions a SQLite store's connection is given; a server's statements have them translated.
TEST_F(TranslatedOnTheStore, SqlitesDecodeNvlUpperLowerAndTheDatesBehaveAsInOracle) {
    if (TestSupport::onServer()) GTEST_SKIP() << "the functions SQLite is given";
    const auto row = [this](const std::string& selectList) {
        return TestSupport::rows(session, "select " + selectList + " from dual");
    };
    EXPECT_EQ(row("decode(null, null, 'null', 'other'), decode(1, null, 'null', 1, 'one'), decode(null, 1, 'one'), "
                  "decode(5, 1, 'one', 'default'), decode(5, 1, 'one')"),
              "null|one|-|default|-\n");
    // Numbers when the first search value is one, text otherwise.
    EXPECT_EQ(row("decode('2', 2, 'number'), decode(2.0, 2, 'number'), decode(' 2 ', null, 'x', 2, 'number'), "
                  "decode('2', '02', 'text', 'no'), decode(2, '2', 'text'), decode('a', 2, 'number', 'no')"),
              "number|number|number|no|text|no\n");
    EXPECT_EQ(row("typeof(decode(1, 1, 9)), typeof(decode(1, 2, 9, 'x')), typeof(decode(1, 1, 2.5))"),
              "integer|text|real\n");
    EXPECT_THROW(row("decode(1, 1)"), std::runtime_error);
    EXPECT_EQ(row("nvl(null, 5), nvl(3, 5), nvl(0, 5), nvl(null, null)"), "5|3|0|-\n");
    EXPECT_EQ(row("upper('zażółć gęślą jaźń'), lower('ZAŻÓŁĆ GĘŚLĄ JAŹŃ'), upper(null), upper(12)"),
              "ZAŻÓŁĆ GĘŚLĄ JAŹŃ|zażółć gęślą jaźń|-|12\n");
    const double before = Core::DayNumber::now();
    DBKernel::Sql::OpenedQuery now("select sysdate a, borlandsysdate b from dual", session);
    const double after = Core::DayNumber::now();
    for (const char* column : {"a", "b"}) {
        EXPECT_GE(now[column].asDouble(), before - 1e-6);
        EXPECT_LE(now[column].asDouble(), after + 1e-6);
    }
}
