// Multi-price wares through `towary products import` on a store made by
// `towary init` (level lengths 2, 2, 2, 3, 3; article indexes of 6 digits),
// with multi-price handling switched on.

#include "tests/support/StoreRows.h"
#include "tests/support/TowaryStore.h"

namespace {

const std::string kHeader = "sNazwa,sGrIndex,sArtIndex,byTyp,byVAT,bWieleCen,sNazwaKlasy,bAtrWart,bAtrMask,sPLU,byStatus,nJm\n";
// A ware 000500 with its one code, live.
const std::string kImportedCoffee = "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n";

class MultipriceImport : public TestSupport::TowaryStore {
protected:
    MultipriceImport() { set("Parametry programu/Towary/Towary wielocenowe/Włączone", "true"); }

    // Imports the rows under kHeader; returns the command's result.
    TestSupport::RunResult import(const std::string& rows) const {
        return run("products", {"import", file("import.csv", kHeader + rows)});
    }
    std::string importedLine(int products, int codes) const {
        return "Zaimportowano z " + file("import.csv") + ": towary i grupy " +
               std::to_string(products) + ", kody " + std::to_string(codes) + ".\n";
    }
    static std::string wares(int created, int converted, int moved, int dissolved) {
        return "Towary wielocenowe: utworzone " + std::to_string(created) + ", zamienione ze zwykłych " +
               std::to_string(converted) + ", przeniesione " + std::to_string(moved) + ", rozwiązane " +
               std::to_string(dissolved) + ".\n";
    }
    static std::string withoutCodes(const std::string& name, const std::string& index, const std::string& codes) {
        return "Towar '" + name + "' o indeksie '" + index + "' został zaimportowany bez kodów '" + codes +
               "', ponieważ przynależały one w bazie do innych towarów.\n";
    }
    // Ordinary products 10 (Herbata, 000600) and 11 (Inny, 000601) of the family with the code rows
    // (lPluRef, sPLU, lTowarRef, nJm, byStatus) given; the ids up to 100 taken, as imported rows take theirs.
    void storedProducts(const std::string& codes) const {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values "
             "(10, 'Herbata', '010101001', '000600', 4, 6, 0), (11, 'Inny', '010101001', '000601', 4, 6, 0)",
             "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values " + codes);
        TestSupport::reserveIdsThrough(dir_, 100);
    }
    std::string rows(const std::string& select) const { return sql(select).out; }
    // Every row of both tables: what a failed import must leave as it was. Not the id pool: a
    // server's sequence moves on whatever rolls back, and new ids are only promised to be new.
    std::string dump() const {
        return rows("select * from towar order by lTowarRef") + rows("select * from plu order by lPluRef");
    }
    // The products of a group index, as (article index, type, flag, code).
    std::string group(const std::string& groupIndex) const {
        return rows("select sArtIndex, byTyp, bWieleCen, byCode from towar where sGrIndex = '" + groupIndex +
                    "' order by sArtIndex");
    }
    std::string codes() const {
        return rows("select p.sPLU, t.sArtIndex, p.byStatus from plu p join towar t on t.lTowarRef = p.lTowarRef "
                    "order by p.sPLU, p.lPluRef");
    }
};

TEST_F(MultipriceImport, ANewWareGetsAGroupingRowAnElementAndItsCodes) {
    expectOutput(import("Kawa mielona,010101001,000500,4,9,1,,,,,,\n"
                        ",,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123464,2,3\n"),
                 importedLine(1, 2) + wares(1, 0, 0, 0));
    EXPECT_EQ(group("010101001001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t1\t6\n000500\t9\t0\t5\n");
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n5901234123457\t000500\t1\n5901234123464\t000500\t1\n")
        << "all codes on the grouping row, live with status 1";
    EXPECT_EQ(rows("select nJm from plu where sPLU = '5901234123464'"), "nJm\n3\n");
}

TEST_F(MultipriceImport, AnOrdinaryProductBecomesTheFirstElementAndHandsOverItsOwnCodesOnly) {
    storedProducts("(20, '5901234123457', 10, 1, 2), (21, '5901234123464', 11, 1, 1), (22, '5901234123471', 10, 1, 1)");
    expectOutput(import("Herbata czarna,010101001,000600,4,9,1,,,,,,\n"
                        ",,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123464,1,1\n"
                        ",,,,,,,,,5901234123488,1,1\n"),
                 withoutCodes("Herbata czarna", "000600", "5901234123464") + importedLine(1, 2) + wares(0, 1, 0, 0));
    EXPECT_EQ(group("010101001001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t1\t6\n000600\t9\t0\t5\n");
    EXPECT_EQ(rows("select sNazwa, sArtIndex from towar where lTowarRef = 10"), "sNazwa\tsArtIndex\nHerbata\t000001\n")
        << "the stored product is the element now, under a generated index; its own name stays";
    expectOutput(run("multiprice", {"show", "10"}),
                 "Towar wielocenowy Herbata czarna, indeks 000600, ID = 101, grupa 010101001001\n"
                 "  kody: 5901234123457, 5901234123488\n"
                 "  element 000001, ID = 10, typ 4, kody: 5901234123471: bez warunków sprzedaży\n");
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n"
                       "5901234123457\t000600\t1\n"  // taken over by the grouping row, live with status 1
                       "5901234123464\t000601\t1\n"  // another product's: left with it and reported
                       "5901234123471\t000001\t1\n"  // not in the import: stays on the element
                       "5901234123488\t000600\t1\n");
}

TEST_F(MultipriceImport, ACodeWithADeletedRowBesideIsNotTakenOverAndStaysLive) {
    storedProducts("(20, '5901234123457', 10, 1, 1), (21, '5901234123457', 11, 1, 3)");
    expectOutput(import("Herbata,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"),
                 withoutCodes("Herbata", "000600", "5901234123457") + importedLine(1, 0) + wares(0, 1, 0, 0));
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n5901234123457\t000001\t1\n5901234123457\t000601\t3\n")
        << "the live code stays on the product, now the ware's element; the deleted row stays deleted";
}

TEST_F(MultipriceImport, ACodeAnotherProductHoldsLiveBesideTheWaresDeletedRowIsLeftToIt) {
    ASSERT_EQ(import(kImportedCoffee).exitCode, 0);
    exec("update plu set byStatus = 3",
         "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values "
         "(900, 'Inny', '010101001', '000601', 4, 6, 0)",
         "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (901, '5901234123457', 900, 1, 1)");
    expectOutput(import("Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,5\n"),
                 withoutCodes("Kawa", "000500", "5901234123457") + importedLine(1, 0));
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n5901234123457\t000500\t3\n5901234123457\t000601\t1\n");
    EXPECT_EQ(rows("select nJm from plu where lTowarRef = 900"), "nJm\n1\n") << "the other product's code is as it was";
}

TEST_F(MultipriceImport, AWareImportedIntoAnotherFamilyMovesWithAllItsRows) {
    ASSERT_EQ(import(kImportedCoffee).exitCode, 0);
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values "
         "(900, 'Kawa 2', '010101001001', '000002', 4, 6, 1)");
    expectOutput(import("Kawa,010101002,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"),
                 importedLine(1, 1) + wares(0, 0, 1, 0));
    EXPECT_EQ(group("010101001001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n");
    EXPECT_EQ(group("010101002001"),
              "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t1\t6\n000002\t4\t1\t6\n000500\t9\t0\t5\n");
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n5901234123457\t000500\t1\n");
}

TEST_F(MultipriceImport, AWareImportedAsOrdinaryIsDissolvedAndItsGroupingRowKeepsItsCodes) {
    ASSERT_EQ(import(kImportedCoffee).exitCode, 0);
    expectOutput(import("Kawa ziarnista,010101001,000500,4,9,0,,,,,,\n"
                        ",,,,,,,,,5901234123457,1,2\n"
                        ",,,,,,,,,5901234123464,1,1\n"),
                 importedLine(1, 2) + wares(0, 0, 0, 1));
    EXPECT_EQ(group("010101001001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n");
    EXPECT_EQ(group("010101001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t0\t6\n000500\t4\t0\t6\n")
        << "the former grouping row is the ordinary product now, of the imported type";
    EXPECT_EQ(rows("select count(*) n from towar where sArtIndex = '000500'"), "n\n1\n") << "no second product";
    EXPECT_EQ(rows("select sNazwa from towar where sArtIndex = '000500'"), "sNazwa\nKawa ziarnista\n");
    EXPECT_EQ(codes(), "sPLU\tsArtIndex\tbyStatus\n5901234123457\t000500\t1\n5901234123464\t000500\t1\n");
    EXPECT_EQ(rows("select nJm from plu where sPLU = '5901234123457'"), "nJm\n2\n");
}

TEST_F(MultipriceImport, ANewWareWhoseCodesBelongToSeveralProductsIsNotImported) {
    storedProducts("(20, '5901234123457', 10, 1, 1), (21, '5901234123464', 11, 1, 1)");
    const auto before = codes();
    expectOutput(import("Kawa,010101001,000500,4,9,1,,,,,,\n"
                        ",,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123464,1,1\n"
                        ",,,,,,,,,5901234123495,3,1\n"),
                 "Towar 'Kawa' o indeksie '000500' nie został zaimportowany, ponieważ powiązane z nim kody plu "
                 "przynależą w bazie do innych towarów.\n" +
                     importedLine(0, 0));
    EXPECT_EQ(codes(), before) << "every code stays live on its owner; the ware's deleted code is dropped with it";
    EXPECT_EQ(group("010101001001"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n")
        << "the grouping row is removed again, and the element made before it too";

    // Codes that all belong to one other product stay with it, reported; the summary counts the codes written.
    expectOutput(import("Herbata,010101001,000510,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123495,3,1\n"),
                 withoutCodes("Herbata", "000510", "5901234123457") + importedLine(1, 1) + wares(1, 0, 0, 0));
    EXPECT_EQ(codes(), before + "5901234123495\t000510\t3\n");
    EXPECT_EQ(rows("select sNazwa, bWieleCen from towar where sGrIndex = '010101001001' order by bWieleCen"),
              "sNazwa\tbWieleCen\nHerbata\t0\nHerbata\t1\n")
        << "the next ware under the family takes the freed group index with no element of the refused one";
}

TEST_F(MultipriceImport, TheWareTakesItsClassFromTheImport) {
    exec("insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (3, 'Świeże', 5)");
    ASSERT_EQ(import("Kawa,010101001,000500,4,9,1,Świeże,8,8,,,\n").exitCode, 0);
    EXPECT_EQ(rows("select sArtIndex, lKlasaRef, bAtrWart, bAtrMask from towar order by sArtIndex"),
              "sArtIndex\tlKlasaRef\tbAtrWart\tbAtrMask\n000001\t3\t13\t8\n000500\t3\t13\t8\n");
}

TEST_F(MultipriceImport, AFailedImportLeavesTheStoreAsItWas) {
    ASSERT_EQ(import(kImportedCoffee).exitCode, 0);
    const auto before = dump();
    const auto path = file("import.csv");

    expectFailure(import("Herbata,010101001,000600,4,9,1,,,,,,\n"
                         ",,,,,,,,,5901234123464,1,1\n"
                         "Kawa,010101002,000500,4,9,1,Nieznana,,,,,\n"),
                  path + ", wiersz 4: Brak klasyNieznanaw bazie!");
    EXPECT_EQ(dump(), before);

    expectFailure(import("Herbata,010101001,000600,4,9,1,,,,,,\n"
                         "Cukier,01010100,000700,4,9,1,,,,,,\n"),
                  path + ", wiersz 3: Błędna długość indeksu grupy (01010100).");
    EXPECT_EQ(dump(), before);

    // The store refuses a row after the ware was written: an id it already has.
    const auto withIds = file("ids.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byTyp,bWieleCen,sPLU,byStatus\n"
                                         ",Herbata,010101001,000600,4,1,,\n"
                                         ",,,,,,5901234123464,1\n"
                                         "1,Cukier,010101001,000700,4,0,,\n");
    expectFailure(run("products", {"import", withIds}), withIds + ", wiersz 4: towar o ID = 1 jest już w sklepie");
    EXPECT_EQ(dump(), before);
}

TEST_F(MultipriceImport, AConvertedProductsOwnCodeWithADeletedRowIsTakenOverNotReportedAsAnothers) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values "
         "(25, 'Masło', '010101001', '000625', 4, 6, 0)");
    exec("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (30, '5902251000011', 25, 1, 2), "
         "(31, '5902251000011', 25, 1, 3)");
    TestSupport::reserveIdsThrough(dir_, 100);
    expectOutput(import("Masło,010101001,000625,4,9,1,,,,,,\n,,,,,,,,,5902251000011,1,4\n"),
                 importedLine(1, 1) + wares(0, 1, 0, 0));
    EXPECT_EQ(rows("select p.lPluRef, t.byTyp, p.byStatus, p.nJm from plu p join towar t on t.lTowarRef = p.lTowarRef "
                   "order by p.lPluRef"),
              "lPluRef\tbyTyp\tbyStatus\tnJm\n30\t9\t1\t4\n31\t9\t3\t4\n")
        << "both rows go to the grouping row: the live one live with status 1, the deleted one deleted";
}

TEST_F(MultipriceImport, AWareMadeAtTheRootImportsAgainAndItsLevelCodeFollowsItsGroup) {
    const auto wareAt = [&](const std::string& group) { return import("Kawa," + group + ",000500,4,9,1,,,,,,\n"); };
    expectOutput(wareAt(""), importedLine(1, 0) + wares(1, 0, 0, 0));
    const std::string atRoot = "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t1\t6\n000500\t9\t0\t1\n";
    EXPECT_EQ(group("01"), atRoot) << "a group of its own below the root: a department's index, level code 1";
    expectOutput(wareAt(""), importedLine(1, 0));
    EXPECT_EQ(group("01"), atRoot);

    // The code of each level, and the subfamily that has none below it, are groupCodeBelow's (tests/products).
    expectOutput(wareAt("02"), importedLine(1, 0) + wares(0, 0, 1, 0));
    EXPECT_EQ(group("0201"), "sArtIndex\tbyTyp\tbWieleCen\tbyCode\n000001\t4\t1\t6\n000500\t9\t0\t2\n");
    expectOutput(wareAt(""), importedLine(1, 0) + wares(0, 0, 1, 0));
    EXPECT_EQ(group("01"), atRoot);
}

TEST_F(MultipriceImport, AnExportedStoreImportsAgainWithItsWaresAsTheyStand) {
    ASSERT_EQ(import("Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                     "Herbata,,000600,4,9,1,,,,,,\n")
                  .exitCode,
              0);
    const auto exported = run("products", {"export"}).out;
    const auto copy = file("kopia");
    expectSuccess(TestSupport::runTowary({"init", copy}));
    expectSuccess(TestSupport::runTowary(
        {"settings", "set", copy, "Parametry programu/Towary/Towary wielocenowe/Włączone", "true"}));
    const auto csv = file("eksport.csv", exported);
    expectOutput(TestSupport::runTowary({"products", "import", copy, csv}),
                 "Zaimportowano z " + csv + ": towary i grupy 4, kody 1.\n");
    EXPECT_EQ(TestSupport::runTowary({"products", "export", copy}).out, exported);
}

}  // namespace
