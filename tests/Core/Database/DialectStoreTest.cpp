// The module's own Oracle statements run through the layer on a real store
// file: one of each construct the dialect rewrites, with the rows each gives.

#include "Core/Database/Sql.h"
#include "Core/tools/DayNumber.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

using DBKernel::Sql::Command;
using DBKernel::Sql::OpenedQuery;
using DBKernel::Sql::PreparedQuery;

namespace {

class DialectStore : public ::testing::Test {
protected:
    DialectStore() {
        // Products: 1 and 3 with VAT codes the 2011 plan maps, 2 with one it
        // does not; 10 the grouping row (type 9) of the multi-price group 0103,
        // 11 and 12 its elements.
        run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byVAT, byTyp, bWieleCen, nStatusAktywnosci) "
            "select 1, 'Mleko', '0101', '100', 2, 1, 0, 4 from dual union all "
            "select 2, 'Chleb', '0102', '200', 13, 1, 0, 8 from dual union all "
            "select 3, 'Masło', '0101', '101', 8, 1, 0, 1 from dual union all "
            "select 10, 'Kawa', '0103', '300', null, 9, 0, 1 from dual union all "
            "select 11, 'Kawa 9.99', '0103', '300000999', null, 4, 1, 4 from dual union all "
            "select 12, 'Kawa 12.49', '0103', '300001249', null, 4, 1, 8 from dual");
        run("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) "
            "select 1, '5900001', 1, 1 from dual union all select 2, '5900002', 1, 2 from dual");
        // Tables of later parts of the schema, made here for the statements that use them.
        run("create table zmianavat (lzmianavatref integer primary key, ltowarref integer, ddata integer, "
            "byvat integer, bapplied integer, dczasmod real)");
        run("create table warsprz (lwarsprzref integer primary key, ltowarref integer, dcenasprzed real)");
        run("insert into warsprz (lwarsprzref, ltowarref, dcenasprzed) "
            "select 1, 11, 9.99 from dual union all select 2, 12, 12.49 from dual");
    }

    std::int64_t run(const std::string& text) { return Command(text, session).execute(); }

    // Every row of the query, its columns joined by "|".
    std::vector<std::string> rows(DBKernel::Sql::Query& query) {
        std::vector<std::string> result;
        while (query.next()) {
            std::string row;
            for (std::size_t i = 0; i < query.columnCount(); ++i)
                row += (i > 0 ? "|" : "") + (query.field(i).isNull() ? "NULL" : query.field(i).asString());
            result.push_back(row);
        }
        return result;
    }
    std::vector<std::string> rows(const std::string& text) {
        OpenedQuery query(text, session);
        return rows(query);
    }

    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
};

}  // namespace

TEST_F(DialectStore, TheSpecialPriceLabelMergeInsertsOnceAndThenUpdates) {
    Command merge(
        "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n \t, :lUzytkRef "
        "lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n then update set lIlosc = "
        "x.lIlosc, lUzytkRef = x.lUzytkRef\n when not matched\n then insert (lSpecCenDrukRef, lIlosc, lPluRef, "
        "lUzytkRef)\n \tvalues (NewRef, x.lIlosc, x.lPluRef, x.lUzytkRef)",
        session);
    merge.Params["lPluRef"] = 1;
    merge.Params["lIlosc"] = 5;
    merge.Params["lUzytkRef"] = 7;
    EXPECT_EQ(merge.execute(), 1);
    const auto ref = OpenedQuery("select lSpecCenDrukRef from SpecCenDruk", session)["lSpecCenDrukRef"].asInt64();
    EXPECT_GT(ref, 0) << "the new row's id comes from the id generator";

    merge.Params["lIlosc"] = 8;
    EXPECT_EQ(merge.execute(), 1);
    EXPECT_EQ(rows("select lSpecCenDrukRef, lIlosc, lPluRef, lUzytkRef from SpecCenDruk"),
              (std::vector<std::string>{std::to_string(ref) + "|8|1|7"}));
}

TEST_F(DialectStore, TheCodeRepairUpdatesThroughTheTableAlias) {
    Command remove("update plu p set  p.bystatus = 3 where p.splu = :QPLU", session);
    remove.Params["QPLU"] = "5900001";
    EXPECT_EQ(remove.execute(), 1);

    Command repair(" update plu p set   p.splu = :PLU , p.bystatus = :STATUS , p.ltowarref = :PID where p.splu = :QPLU",
                   session);
    repair.Params["PLU"] = "5900009";
    repair.Params["STATUS"] = 1;
    repair.Params["PID"] = 3;
    repair.Params["QPLU"] = "5900002";
    EXPECT_EQ(repair.execute(), 1);
    EXPECT_EQ(rows("select lPluRef, sPLU, lTowarRef, byStatus from plu order by lPluRef"),
              (std::vector<std::string>{"1|5900001|1|3", "2|5900009|3|1"}));
}

TEST_F(DialectStore, TheVatPlanInsertsDecodedCodesAndTheRunFindsEachProductsLatestChange) {
    const std::string plan =
        "insert into zmianavat ( lzmianavatref , ltowarref , ddata , byvat , bapplied , dczasmod) select newref , "
        "t.ltowarref , 40544\n-- 3%->5%, 7%->8%, 22%->23%, 0%->5%, zwl->23%\n, decode (t.byvat, 2, 9, 3, 12, 6, 13, "
        "1, 9, 8, 13) , 0 , borlandsysdate from towar t where t.byvat in (2, 3, 6, 1, 8) -- stawki 3%, 7%, 23%, 0%, "
        "zwl\nand not exists ( select 1 from zmianavat z where z.ltowarref = t.ltowarref and z.ddata >= 40544)";
    EXPECT_EQ(run(plan), 2);
    EXPECT_EQ(run(plan), 0) << "products that have a plan are left alone";
    EXPECT_EQ(rows("select ltowarref, ddata, byvat, bapplied from zmianavat order by ltowarref"),
              (std::vector<std::string>{"1|40544|9|0", "3|40544|13|0"}));
    OpenedQuery stamp("select min(dczasmod) earliest, count(distinct lzmianavatref) ids from zmianavat", session);
    EXPECT_GE(stamp["earliest"].asDouble(), Core::DayNumber::today()) << "stamped with the current day number";
    EXPECT_EQ(stamp["ids"].asInt64(), 2);

    // An older pending change of product 1 and a later one of product 3.
    run("insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied) "
        "select 100, 1, 40000, 5, null from dual union all select 101, 3, 50000, 2, 0 from dual");
    OpenedQuery due("select zv.lzmianavatref, t.snazwa nazwa, zv.ltowarref, zv.ddata, zv.byvat VatTo, t.byvat "
                    "VatFrom from zmianavat zv, towar t where (zv.ltowarref, zv.ddata) in ( select ltowarref, "
                    "max(ddata) ddata from zmianavat where ddata <= 40545 group by ltowarref ) and zv.ltowarref = "
                    "t.ltowarref and (bapplied = 0 or bapplied is null)",
                    session);
    std::vector<std::string> found;
    while (due.next())
        found.push_back(due["nazwa"].asString() + "|" + due["ddata"].asString() + "|" + due["VATTO"].asString() +
                        "|" + due["vatfrom"].asString());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"Masło|40544|13|8", "Mleko|40544|9|2"}));
}

TEST_F(DialectStore, TheStockDrivenStatusQueryRepresentsGroupElementsByTheirGroupingRow) {
    OpenedQuery indexes(
        "\n select nvl(tg.sArtIndex, t.sArtIndex) productIndex\n from towar t,\n (\n \tselect sArtIndex, sGrIndex from "
        "towar where byTyp = 9\n ) tg\n where t.sGrIndex = tg.sGrIndex(+)\n \tand t.nStatusAktywnosci in (4, 8)\n "
        "group by nvl(tg.sArtIndex, t.sArtIndex)",
        session);
    auto found = rows(indexes);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"100", "200", "300"}));
}

TEST_F(DialectStore, TheMultiPriceElementQueryTakesTheFirstRowOnly) {
    PreparedQuery element(
        "select * from (select ltowarref from (select 0, ltowarref from warsprz where ltowarref in (select ltowarref "
        "from towar where sgrindex = :sGrIndex and bwielecen = :bWieleCen) and round(dcenasprzed, 2) = "
        "round(:dCenaSprzed, 2) union select 1, ltowarref from towar where sgrindex = :sGrIndex and bwielecen = "
        ":bWieleCen and not exists (select ltowarref from warsprz where ltowarref in (select ltowarref from towar "
        "where sgrindex = :sGrIndex and bwielecen = :bWieleCen))) order by 1) where rownum = 1",
        session);
    element.Params["sGrIndex"] = "0103";
    element.Params["bWieleCen"] = 1;
    element.Params["dCenaSprzed"] = 12.49;
    element.execute();
    EXPECT_EQ(rows(element), (std::vector<std::string>{"12"}));
    element.Params["dCenaSprzed"] = 12.5;
    element.execute();
    EXPECT_TRUE(element.empty()) << "no element has a condition at that price";

    run("delete from warsprz");
    element.execute();
    EXPECT_EQ(rows(element), (std::vector<std::string>{"11"})) << "without conditions: the lowest reference";

    OpenedQuery type("select bytyp from towar where sgrindex = '0103' and bwielecen = 1 and bytyp <> 9 and rownum = 1",
                     session);
    EXPECT_EQ(rows(type), (std::vector<std::string>{"4"}));
}

TEST_F(DialectStore, ACodeLockFailsAtOnceWhileAnotherSessionHoldsIt) {
    const std::string lock = "select lpluref from plu where sPLU = '5900001' for update nowait";
    TSessionHolder first = TSessionHolder::open();
    // Waiting would hang this test past its time limit: the lock must not wait.
    TSessionHolder second = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::minutes(10)});

    OpenedQuery held(lock, first);
    EXPECT_EQ(held["lpluref"].asInt64(), 1);
    EXPECT_TRUE(first.InTransaction()) << "the lock lasts until the session's transaction ends";

    try {
        OpenedQuery refused(lock, second);
        FAIL() << "the second session got the lock";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(lock), std::string::npos) << e.what();
        EXPECT_NE(e.reason().find("locked"), std::string::npos) << e.reason();
    }
    EXPECT_FALSE(second.InTransaction());

    const std::string merge =
        "merge into SpecCenDruk scd using (select 1 lPluRef from dual) x on (scd.lPluRef = x.lPluRef) "
        "when not matched then insert (lSpecCenDrukRef, lPluRef, lIlosc, lUzytkRef) values (NewRef, x.lPluRef, 1, 1)";
    TSessionHolder impatient = TSessionHolder::open(DBKernel::SessionOptions{std::chrono::milliseconds(20)});
    try {
        Command(merge, impatient).execute();
        FAIL() << "the merge wrote while the lock was held";
    } catch (const DBKernel::DatabaseError& e) {
        EXPECT_EQ(e.statement(), merge) << "a statement run as two names itself when it cannot lock";
        EXPECT_NE(e.reason().find("locked"), std::string::npos) << e.reason();
    }

    first.Commit();
    EXPECT_EQ(Command(merge, impatient).execute(), 1) << "once the lock is released the same merge writes";
    OpenedQuery taken(lock, second);
    EXPECT_EQ(taken["lpluref"].asInt64(), 1);
    EXPECT_TRUE(second.InTransaction());
    second.Rollback();
}
