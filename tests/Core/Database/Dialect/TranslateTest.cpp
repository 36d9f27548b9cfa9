// The module's own statement texts, translated and run on SQLite.
#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Dialect/SqlTree.h"
#include "Core/tools/DayNumber.h"
#include "tests/Core/Database/Dialect/DialectDatabase.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using DBKernel::Dialect::routineName;
using DBKernel::Dialect::translate;
using Statements = std::vector<std::string>;
using TestSupport::DialectDatabase;
using TestSupport::Rows;

namespace {

std::string translationError(const std::string& sql) {
    return TestSupport::failure<std::runtime_error>([&] { translate(sql); });
}

}  // namespace

TEST(Translate, UpdateWithATableAliasSetsBareColumns) {
    DialectDatabase db;
    db.exec("create table plu (lPluRef integer, sPLU text, lTowarRef integer, byStatus integer);"
            "insert into plu values (1, '0590123', 10, 1), (2, '590123', 11, 3), (3, '777', 12, 1)");
    const std::string deletePlu = "update plu p set  p.bystatus = 3 where p.splu = :QPLU";
    EXPECT_EQ(translate(deletePlu).statements, Statements{"update plu as p set bystatus = 3 where p.splu = :qplu"});
    db.run(deletePlu, {{"QPLU", "777"}});

    // Reviving the deleted row that already holds the corrected text.
    const std::string repairPlu =
        " update plu p set   p.splu = :PLU , p.bystatus = :STATUS , p.ltowarref = :PID where p.splu = :QPLU";
    db.run(repairPlu, {{"PLU", "590123"}, {"STATUS", 1}, {"PID", 10}, {"QPLU", "590123"}});
    db.run(repairPlu, {{"PLU", "0590123"}, {"STATUS", 3}, {"PID", 10}, {"QPLU", "0590123"}});
    EXPECT_EQ(db.query("select lPluRef, sPLU, lTowarRef, byStatus from plu order by lPluRef"),
              (Rows{{"1", "0590123", "10", "3"}, {"2", "590123", "10", "1"}, {"3", "777", "12", "3"}}));
}

TEST(Translate, MergeBecomesAnUpdateAndAnInsertOfTheUnmatchedRow) {
    const std::string merge =
        "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n \t, :lUzytkRef "
        "lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n then update set lIlosc = "
        "x.lIlosc, lUzytkRef = x.lUzytkRef\n when not matched\n then insert (lSpecCenDrukRef, lIlosc, lPluRef, "
        "lUzytkRef)\n \tvalues (NewRef, x.lIlosc, x.lPluRef, x.lUzytkRef)";
    const std::string source = "(select :lpluref lPluRef, :lilosc lIlosc, :luzytkref lUzytkRef from dual)";
    EXPECT_EQ(translate(merge).statements,
              (Statements{"update SpecCenDruk as scd set lIlosc = x.lIlosc, lUzytkRef = x.lUzytkRef from " + source +
                              " as x where (scd.lPluRef = x.lPluRef)",
                          "insert into SpecCenDruk(lSpecCenDrukRef, lIlosc, lPluRef, lUzytkRef) select NewRef(), "
                          "x.lIlosc, x.lPluRef, x.lUzytkRef from " +
                              source +
                              " as x where not exists (select 1 from SpecCenDruk as scd where (scd.lPluRef = "
                              "x.lPluRef))"}));
}

TEST(Translate, PlannedVatChangesInsertWithDecodeNewrefAndTodayPastTheComments) {
    DialectDatabase db;
    db.exec("create table towar (ltowarref integer, byvat integer);"
            "insert into towar values (1, 2), (2, 3), (3, 13), (4, 8), (5, 6), (6, 1), (7, 9);"
            "create table zmianavat (lzmianavatref integer, ltowarref integer, ddata integer, byvat integer, "
            "bapplied integer, dczasmod real)");
    const std::string plan =
        "insert into zmianavat ( lzmianavatref , ltowarref , ddata , byvat , bapplied , dczasmod) select newref , "
        "t.ltowarref , 40544\n-- 3%->5%, 7%->8%, 22%->23%, 0%->5%, zwl->23%\n, decode (t.byvat, 2, 9, 3, 12, 6, 13, 1, "
        "9, 8, 13) , 0 , borlandsysdate from towar t where t.byvat in (2, 3, 6, 1, 8) -- stawki 3%, 7%, 23%, 0%, zwl";
    const std::string keepPlanned =
        "\nand not exists ( select 1 from zmianavat z where z.ltowarref = t.ltowarref and z.ddata >= 40544)";
    const Rows planned{{"1", "40544", "9", "0"},  {"2", "40544", "12", "0"}, {"4", "40544", "13", "0"},
                       {"5", "40544", "13", "0"}, {"6", "40544", "9", "0"}};
    const std::string plannedRows = "select ltowarref, ddata, byvat, bapplied from zmianavat order by ltowarref";

    db.run(plan + keepPlanned);
    EXPECT_EQ(db.query(plannedRows), planned);
    db.run(plan + keepPlanned);
    EXPECT_EQ(db.query(plannedRows), planned);

    db.run("delete from zmianavat z where z.ddata >= 40544");
    db.run(plan);
    EXPECT_EQ(db.query(plannedRows), planned);
    EXPECT_EQ(db.query("select min(lzmianavatref) from zmianavat"), (Rows{{"1005"}}));
}

// Texts translated to one statement each; those run on SQLite are in the tests below.
TEST(Translate, TheModulesTextsBecomeSqliteText) {
    const std::pair<const char*, const char*> cases[] = {
        // The outer join marker becomes a left join, on either side, on several conditions of one table.
        {"\n select nvl(tg.sArtIndex, t.sArtIndex) productIndex\n from towar t,\n (\n \tselect sArtIndex, sGrIndex "
         "from towar where byTyp = 9\n ) tg\n where t.sGrIndex = tg.sGrIndex(+)\n \tand t.nStatusAktywnosci in (4, "
         "8)\n group by nvl(tg.sArtIndex, t.sArtIndex)",
         "select nvl(tg.sArtIndex, t.sArtIndex) productIndex from towar t left join (select sArtIndex, sGrIndex from "
         "towar where byTyp = 9) tg on t.sGrIndex = tg.sGrIndex where t.nStatusAktywnosci in (4, 8) group by "
         "nvl(tg.sArtIndex, t.sArtIndex)"},
        {"select 1 from a, b, c where b.x(+) = a.x and a.y = 1 and b.z(+) = 2 and c.k = a.k",
         "select 1 from a, c left join b on b.x = a.x and b.z = 2 where a.y = 1 and c.k = a.k"},
        {"select * from towar where rownum < 3", "select * from towar limit 2"},
        {"select sysdate, NewRef, newref(), t.sysdate from t", "select sysdate(), NewRef(), newref(), t.sysdate from t"},
        {"select Generators.getWolnyNumerWKanale(3, 1) as n from dual",
         "select generators_getwolnynumerwkanale(3, 1) as n from dual"},
        // The empty text is NULL, as in Oracle.
        {"select 1 from towar where sgrindex like ''", "select 1 from towar where sgrindex like null"},
        // Numerals meet keywords; minus is except.
        {"select dStan from Stn where lTowarRef = 17and data=lastStnDate(17)",
         "select dStan from Stn where lTowarRef = 17 and data = lastStnDate(17)"},
        {"select ltowarref from towar minus select ltowarref from plu",
         "select ltowarref from towar except select ltowarref from plu"},
        // Only "1 = 0 or" opening a group with more after it goes.
        {"select 1 from dual where ((1 = 0 ) and 1 = 1 )", "select 1 from dual where ((1 = 0) and 1 = 1)"},
        {"select 1 from dual where (1 = 01 or 1 = 1)", "select 1 from dual where (1 = '01' or 1 = 1)"},
        {"select 1 from dual where 1 = 0 or 1 = 1", "select 1 from dual where 1 = 0 or 1 = 1"},
        // A lock of a table checks only that the table is there (on a server it stays).
        {"lock table ReturnReason in exclusive mode", "select 1 from ReturnReason limit 0"},
    };
    for (const auto& [oracle, sqlite] : cases) EXPECT_EQ(translate(oracle).statements, Statements{sqlite}) << oracle;
    EXPECT_EQ(translate("lock table ReturnReason in exclusive mode", DBKernel::Dialect::Target::postgresql).statements,
              Statements{"lock table ReturnReason in exclusive mode"});
}

TEST(Translate, RownumBecomesLimitInTheMultiPriceElementLookups) {
    DialectDatabase db;
    db.exec("create table towar (ltowarref integer, sgrindex text, bwielecen integer, bytyp integer, "
            "nwagasekcja integer, nwagaplu integer);"
            "create table warsprz (ltowarref integer, dcenasprzed real);"
            "insert into towar values (10, '010301', 0, 9, null, null), (12, '010301', 1, 4, 3, 7),"
            "(11, '010301', 1, 4, null, null), (21, '010302', 1, 1, null, null), (22, '010302', 1, 1, null, null);"
            "insert into warsprz values (11, 9.99), (12, 12.49), (12, 12.49)");
    const std::string elementByPrice =
        "select * from (select ltowarref from (select 0, ltowarref from warsprz where ltowarref in (select ltowarref "
        "from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen) and round(dcenasprzed, 2) = "
        "round(:dCenaSprzed, 2) union select 1, ltowarref from towar where sgrindex = :sGrIndex and bwielecen = "
        ":bWieleCen and not exists (select ltowarref from warsprz where ltowarref in (select ltowarref from towar "
        "where sgrindex = :sGrIndex and bwielecen = :bWieleCen))) order by 1) where rownum = 1";
    const std::string translated = translate(elementByPrice).statements.at(0);
    EXPECT_EQ(translated.substr(translated.size() - 19), "order by 1) limit 1");
    EXPECT_EQ(db.run(elementByPrice, {{"sGrIndex", "010301"}, {"bWieleCen", 1}, {"dCenaSprzed", 9.994}}),
              (Rows{{"11"}}));
    EXPECT_EQ(db.run(elementByPrice, {{"sGrIndex", "010302"}, {"bWieleCen", 1}, {"dCenaSprzed", 5.0}}),
              (Rows{{"21"}}));

    const std::string scaleNumberTaken = "select 1 from towar where rownum = 1 and nwagasekcja = 3 and nwagaplu = 7";
    EXPECT_EQ(db.run(scaleNumberTaken), (Rows{{"1"}}));
    EXPECT_EQ(db.run(scaleNumberTaken + " and lTowarRef <> 12"), Rows{});
}

TEST(Translate, RowValueInPicksTheLatestPendingChange) {
    DialectDatabase db;
    db.exec("create table towar (ltowarref integer, nstatusaktywnosci integer); insert into towar values (1, 1);"
            "create table statuschange (statuschangeid integer, productid integer, status integer, changedate integer,"
            " applied integer);"
            "insert into statuschange values (1, 1, 4, 200, 0), (2, 1, 8, 201, null), (3, 1, 5, 202, 0)");
    const std::string dueStatuses =
        "select\n\tstatuschangeid\n\t, productid\n\t, status newStatus\n\t, t.nstatusaktywnosci oldStatus\nfrom\n\t"
        "statuschange zv, towar t\nwhere\n\t(zv.productid, zv.changedate) in\n\t(select\n\t\tproductid\n\t\t, "
        "max(changedate) ddata\n\tfrom\n\t\tstatuschange\n\twhere\n\t\tchangedate <= 201\n\tgroup by\n\t\tproductid)"
        "\n\tand zv.productid = t.ltowarref\n\tand (applied = 0 or applied is null)";
    EXPECT_EQ(db.run(dueStatuses), (Rows{{"2", "1", "8", "1"}}));
}

TEST(Translate, ForUpdateNowaitIsStrippedAndReported) {
    const auto lock = translate("select lpluref from plu where sPLU = '590123' for update nowait");
    EXPECT_EQ(lock.statements, Statements{"select lpluref from plu where sPLU = '590123'"});
    EXPECT_TRUE(lock.lockRows);
    EXPECT_TRUE(lock.lockNowait);

    const auto wait = translate("select * from ReturnReason for update");
    EXPECT_EQ(wait.statements, Statements{"select * from ReturnReason"});
    EXPECT_TRUE(wait.lockRows);
    EXPECT_FALSE(wait.lockNowait);
    EXPECT_FALSE(translate("select 1 from dual").lockRows);
}

TEST(Translate, PackageRoutinesAndPseudoFunctionsBecomeCalls) {
    EXPECT_EQ(routineName("Generators.getWolnyNumerWKanale"), "generators_getwolnynumerwkanale");
    EXPECT_EQ(routineName("getWolnyIndex"), "getwolnyindex");

    DialectDatabase db;
    sqlite3_create_function_v2(
        db.handle(), routineName("Generators.getWolnyNumerWKanale").c_str(), 2, SQLITE_UTF8, nullptr,
        [](sqlite3_context* context, int, sqlite3_value** arguments) {
            sqlite3_result_int64(context, sqlite3_value_int64(arguments[0]) * 100 + sqlite3_value_int64(arguments[1]));
        },
        nullptr, nullptr, nullptr);
    const std::string freeNumber = "select Generators.getWolnyNumerWKanale(3, 1) as n from dual";
    EXPECT_EQ(db.run(freeNumber), (Rows{{"301"}}));
    EXPECT_EQ(db.run("select floor(borlandsysdate) from dual"),
              (Rows{{std::to_string(Core::DayNumber::today()) + ".0"}}));
    EXPECT_EQ(db.run("select 7 / 2 from dual"), (Rows{{"3.5"}})) << "division is exact";
}

TEST(Translate, ScaleNumbersToReleaseFallBackThroughNvlToToday) {
    DialectDatabase db;
    db.exec("create table towar (ltowarref integer, sartindex text, nwagasekcja integer, nwagaplu integer, "
            "dataostsprzed real, czasutworzenia real);"
            "insert into towar values (1, '000001', 1, 5, 39000, null), (2, '000002', 1, 6, null, 39500.5),"
            "(3, '000003', 2, null, null, null), (4, '000004', null, null, 1, 1), (5, '000005', 2, 1, 41000, 1)");
    const Rows rows = db.run(
        "\n select t.sartindex, t.nwagasekcja, t.nwagaplu, t.ltowarref\n from towar t\n where (t.nwagasekcja is not "
        "null or t.nwagaplu is not null)\n and nvl(t.dataostsprzed, nvl(t.czasutworzenia, borlandsysdate)) < 40000");
    EXPECT_EQ(rows, (Rows{{"000001", "1", "5", "1"}, {"000002", "1", "6", "2"}}));
}

TEST(Translate, TheEmptyTextMatchesNothingAsInOracle) {
    DialectDatabase db;
    db.exec("create table towar (sgrindex text); insert into towar values (''), ('01')");
    EXPECT_EQ(db.run("select count(*) from towar where sgrindex like ''"), (Rows{{"0"}}));
}

TEST(Translate, GroupKeysWrittenAsNumbersKeepTheirLeadingZeros) {
    DialectDatabase db;
    db.exec("create table towar (sgrindex text, bycode integer);"
            "insert into towar values ('0101', 6), ('0102', 6), ('0201', 6), ('102', 6)");
    const std::string visible = "select t.sgrindex from towar t where 1=1 and (t.sgrindex like '01%') and "
                                "t.sgrindex not in (0102, 0304) and t.bycode in (06)";
    EXPECT_EQ(translate(visible).statements,
              Statements{"select t.sgrindex from towar t where 1 = 1 and (t.sgrindex like '01%') and t.sgrindex not "
                         "in ('0102', '0304') and t.bycode in ('06')"});
    EXPECT_EQ(db.run(visible), (Rows{{"0101"}}));

    // A key of a deep hierarchy, past 64 bits.
    db.exec("insert into towar values ('12345678901234567890', 6), ('12345678901234567891', 6)");
    EXPECT_EQ(db.run("select sgrindex from towar where sgrindex not in (12345678901234567890, 0101, 0102, 0201, 102)"),
              (Rows{{"12345678901234567891"}}));
}

TEST(Translate, AFalseFirstDisjunctIsDroppedSoThatTheIndexServesTheRest) {
    DialectDatabase db;
    db.exec("create table towar (sgrindex text); create index towar_sgrindex on towar (sgrindex);"
            "insert into towar values ('0101'), ('0102'), ('0201'), ('03'), (null)");
    const std::string rights = "select sgrindex from towar where ((1 = 0 or sgrindex like '01%' or sgrindex like "
                               "'03%' ) and 1 = 1 and sgrindex not like '0102%' ) order by sgrindex";
    EXPECT_EQ(translate(rights).statements,
              Statements{"select sgrindex from towar where ((sgrindex like '01%' or sgrindex like '03%') and 1 = 1 "
                         "and sgrindex not like '0102%') order by sgrindex"});
    EXPECT_EQ(db.run(rights), (Rows{{"0101"}, {"03"}}));
    EXPECT_EQ(db.run("select count(*) from towar where (1 = 0 or sgrindex is null)"), (Rows{{"1"}})) << "NULL stays";
}

TEST(Translate, NameSearchFoldsPolishLetters) {
    DialectDatabase db;
    db.exec("create table Towar (lTowarRef integer, sNazwa text);"
            "insert into Towar values (1, 'żółw morski'), (2, 'Żółwik'), (3, 'zolw'), (4, 'ŻÓŁTY SER')");
    Rows found = db.run("select * from towar t, \n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere "
                        "upper(sNazwa) like 'ŻÓŁW%'\n ) identifier where identifier.productId = t.lTowarRef");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Rows{{"1", "żółw morski", "1"}, {"2", "Żółwik", "2"}}));
}

TEST(Translate, UntranslatableStatementsAreRefusedByName) {
    const std::string rownumTwo = "select 1 from towar where rownum = 2";
    const std::string message = translationError(rownumTwo);
    EXPECT_NE(message.find("rownum"), std::string::npos) << message;
    EXPECT_NE(message.find(rownumTwo), std::string::npos) << message;

    for (const char* statement : {
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
}

TEST(Translate, NestingIsLimitedBeforeTheRecursiveRulesSeeIt) {
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
