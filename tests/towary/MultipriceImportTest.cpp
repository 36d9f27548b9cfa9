// Multi-price wares through `towary products import` on a store made by
// `towary init` (level lengths 2, 2, 2, 3, 3; article indexes of 6 digits),
// with multi-price handling switched on: what each import makes of the
// store's wares, products and codes.

#include "tests/support/StoreRows.h"
#include "tests/support/TowaryStore.h"

namespace {

const std::string kHeader = "sNazwa,sGrIndex,sArtIndex,byTyp,byVAT,bWieleCen,sNazwaKlasy,bAtrWart,bAtrMask,sPLU,byStatus,nJm\n";
// A ware 000500 with its one code, live.
const std::string kCoffee = "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n";
// Ordinary products 10 (Herbata, 000600) and 11 (Inny, 000601) of the family, for the code rows after it.
const std::string kProducts = "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) "
                              "values (10, 'Herbata', '010101001', '000600', 4, 6, 0), "
                              "(11, 'Inny', '010101001', '000601', 4, 6, 0)";
const std::string kCodes = "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values ";
// A live code of each of the products.
const std::string kTwoCodes = kCodes + "(20, '5901234123457', 10, 1, 1), (21, '5901234123464', 11, 1, 1)";
// The ware 000500 of the codes of products 10 and 11 and a deleted code of its own.
const std::string kRefusedCoffee = "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                                   ",,,,,,,,,5901234123464,1,1\n,,,,,,,,,5901234123495,3,1\n";
// A ware at the root: a group of its own, a department's index, with level code 1.
const std::string kAtTheRoot = "01\t000001\tKawa\t4\t1\t6\n01\t000500\tKawa\t9\t0\t1\n--\n";

std::string wares(int created, int converted, int moved, int dissolved) {
    return "Towary wielocenowe: utworzone " + std::to_string(created) + ", zamienione ze zwykłych " +
           std::to_string(converted) + ", przeniesione " + std::to_string(moved) + ", rozwiązane " +
           std::to_string(dissolved) + ".\n";
}
std::string withoutCodes(const std::string& name, const std::string& index, const std::string& codes) {
    return "Towar '" + name + "' o indeksie '" + index + "' został zaimportowany bez kodów '" + codes +
           "', ponieważ przynależały one w bazie do innych towarów.\n";
}

class MultipriceImport : public TestSupport::TowaryStore {
protected:
    MultipriceImport() { set("Parametry programu/Towary/Towary wielocenowe/Włączone", "true"); }

    // Imports the rows under kHeader.
    TestSupport::RunResult import(const std::string& rows) const {
        return run("products", {"import", file("import.csv", kHeader + rows)});
    }
    std::string imported(int products, int codes) const {
        return "Zaimportowano z " + file("import.csv") + ": towary i grupy " + std::to_string(products) + ", kody " +
               std::to_string(codes) + ".\n";
    }
    // The products (group, index, name, type, flag, level code), then the codes (code, owner's index, status, unit).
    std::string state() const {
        const auto body = [](const std::string& out) { return out.substr(out.find('\n') + 1); };
        return body(sql("select sGrIndex, sArtIndex, sNazwa, byTyp, bWieleCen, byCode from towar "
                        "where sArtIndex is not null order by sGrIndex, sArtIndex").out) + "--\n" +
               body(sql("select p.sPLU, t.sArtIndex, p.byStatus, p.nJm from plu p join towar t on "
                        "t.lTowarRef = p.lTowarRef order by p.sPLU, p.lPluRef").out);
    }
};

struct Case {
    const char* name;
    // Statements, and rows to import (those that end in a newline), in order; then ids up to 100 are taken.
    std::vector<std::string> before;
    std::string rows;
    // What the import prints: what it told of the wares, its summary's counts and its line on the wares.
    std::string told;
    int products, codes;
    std::string wares;
    std::string state;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class MultipriceImportCase : public MultipriceImport, public ::testing::WithParamInterface<Case> {};

TEST_P(MultipriceImportCase, LeavesTheWaresAndCodesAsTheyShould) {
    const auto& c = GetParam();
    for (const auto& step : c.before) {
        if (step.ends_with('\n')) expectSuccess(import(step));
        else exec(step);
    }
    TestSupport::reserveIdsThrough(dir_, 100);
    expectOutput(import(c.rows), c.told + imported(c.products, c.codes) + c.wares);
    EXPECT_EQ(state(), c.state);
}

INSTANTIATE_TEST_SUITE_P(Imports, MultipriceImportCase, ::testing::Values(
    // A grouping row, its element and all codes on the grouping row, live with status 1.
    Case{"NewWare", {}, "Kawa mielona,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n"
                        ",,,,,,,,,5901234123464,2,3\n",
         "", 1, 2, wares(1, 0, 0, 0),
         "010101001001\t000001\tKawa mielona\t4\t1\t6\n010101001001\t000500\tKawa mielona\t9\t0\t5\n--\n"
         "5901234123457\t000500\t1\t1\n5901234123464\t000500\t1\t3\n"},
    // The stored product is the element now, under a generated index, with its own name and the codes not imported;
    // the grouping row takes over the imported codes it held, and another product's code is left to it.
    Case{"OrdinaryConverted", {kProducts, kCodes + "(20, '5901234123457', 10, 1, 2), (21, '5901234123464', 11, 1, 1), "
                                                   "(22, '5901234123471', 10, 1, 1)"},
         "Herbata czarna,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n,,,,,,,,,5901234123464,1,1\n"
         ",,,,,,,,,5901234123488,1,1\n",
         withoutCodes("Herbata czarna", "000600", "5901234123464"), 1, 2, wares(0, 1, 0, 0),
         "010101001\t000601\tInny\t4\t0\t6\n010101001001\t000001\tHerbata\t4\t1\t6\n"
         "010101001001\t000600\tHerbata czarna\t9\t0\t5\n--\n5901234123457\t000600\t1\t1\n"
         "5901234123464\t000601\t1\t1\n5901234123471\t000001\t1\t1\n5901234123488\t000600\t1\t1\n"},
    // A code with a deleted row of another product beside is not taken over: it stays live on the element.
    Case{"CodeWithADeletedRowBeside", {kProducts, kCodes + "(20, '5901234123457', 10, 1, 1), "
                                                           "(21, '5901234123457', 11, 1, 3)"},
         "Herbata,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n",
         withoutCodes("Herbata", "000600", "5901234123457"), 1, 0, wares(0, 1, 0, 0),
         "010101001\t000601\tInny\t4\t0\t6\n010101001001\t000001\tHerbata\t4\t1\t6\n"
         "010101001001\t000600\tHerbata\t9\t0\t5\n--\n5901234123457\t000001\t1\t1\n"
         "5901234123457\t000601\t3\t1\n"},
    // A converted product's own code with a deleted row goes whole to the grouping row, not reported as another's.
    Case{"OwnCodeWithADeletedRow", {"insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, "
                                    "bWieleCen) values (25, 'Masło', '010101001', '000625', 4, 6, 0)",
                                    kCodes + "(30, '5902251000011', 25, 1, 2), (31, '5902251000011', 25, 1, 3)"},
         "Masło,010101001,000625,4,9,1,,,,,,\n,,,,,,,,,5902251000011,1,4\n", "", 1, 1, wares(0, 1, 0, 0),
         "010101001001\t000001\tMasło\t4\t1\t6\n010101001001\t000625\tMasło\t9\t0\t5\n--\n"
         "5902251000011\t000625\t1\t4\n5902251000011\t000625\t3\t4\n"},
    // A code another product holds live beside the ware's deleted row is left to it, as it was.
    Case{"CodeLiveOnAnother", {kCoffee, "update plu set byStatus = 3",
                               "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) "
                               "values (900, 'Inny', '010101001', '000601', 4, 6, 0)",
                               kCodes + "(901, '5901234123457', 900, 1, 1)"},
         "Kawa,010101001,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,5\n",
         withoutCodes("Kawa", "000500", "5901234123457"), 1, 0, "",
         "010101001\t000601\tInny\t4\t0\t6\n010101001001\t000001\tKawa\t4\t1\t6\n"
         "010101001001\t000500\tKawa\t9\t0\t5\n--\n5901234123457\t000500\t3\t1\n"
         "5901234123457\t000601\t1\t1\n"},
    Case{"MovedToAnotherFamily", {kCoffee, "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, "
                                           "bWieleCen) values (900, 'Kawa 2', '010101001001', '000002', 4, 6, 1)"},
         "Kawa,010101002,000500,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n", "", 1, 1, wares(0, 0, 1, 0),
         "010101002001\t000001\tKawa\t4\t1\t6\n010101002001\t000002\tKawa 2\t4\t1\t6\n"
         "010101002001\t000500\tKawa\t9\t0\t5\n--\n5901234123457\t000500\t1\t1\n"},
    // The former grouping row is the ordinary product now, of the imported type, with the codes; no second product.
    Case{"ImportedAsOrdinary", {kCoffee},
         "Kawa ziarnista,010101001,000500,4,9,0,,,,,,\n,,,,,,,,,5901234123457,1,2\n,,,,,,,,,5901234123464,1,1\n",
         "", 1, 2, wares(0, 0, 0, 1),
         "010101001\t000001\tKawa\t4\t0\t6\n010101001\t000500\tKawa ziarnista\t4\t0\t6\n--\n"
         "5901234123457\t000500\t1\t2\n5901234123464\t000500\t1\t1\n"},
    // Codes of several products: every code stays live on its owner, the grouping row and its element go again.
    Case{"CodesOfSeveralProducts", {kProducts, kTwoCodes},
         kRefusedCoffee, "Towar 'Kawa' o indeksie '000500' nie został zaimportowany, ponieważ powiązane z nim kody plu "
                         "przynależą w bazie do innych towarów.\n", 0, 0, "",
         "010101001\t000600\tHerbata\t4\t0\t6\n010101001\t000601\tInny\t4\t0\t6\n--\n"
         "5901234123457\t000600\t1\t1\n5901234123464\t000601\t1\t1\n"},
    // The next ware of the family takes the group index the refused one freed, with no element of it.
    Case{"AfterARefusedWare", {kProducts, kTwoCodes, kRefusedCoffee},
         "Herbata,010101001,000510,4,9,1,,,,,,\n,,,,,,,,,5901234123457,1,1\n,,,,,,,,,5901234123495,3,1\n",
         withoutCodes("Herbata", "000510", "5901234123457"), 1, 1, wares(1, 0, 0, 0),
         "010101001\t000600\tHerbata\t4\t0\t6\n010101001\t000601\tInny\t4\t0\t6\n"
         "010101001001\t000001\tHerbata\t4\t1\t6\n010101001001\t000510\tHerbata\t9\t0\t5\n--\n"
         "5901234123457\t000600\t1\t1\n5901234123464\t000601\t1\t1\n5901234123495\t000510\t3\t1\n"},
    // A ware made at the root gets a group of its own, a department's index with level code 1; imported again it
    // stays; its level code follows its group (each level's code is groupCodeBelow's, tests/products).
    Case{"AtTheRoot", {}, "Kawa,,000500,4,9,1,,,,,,\n", "", 1, 0, wares(1, 0, 0, 0), kAtTheRoot},
    Case{"AtTheRootAgain", {"Kawa,,000500,4,9,1,,,,,,\n"}, "Kawa,,000500,4,9,1,,,,,,\n", "", 1, 0, "", kAtTheRoot},
    Case{"FromTheRootToADepartment", {"Kawa,,000500,4,9,1,,,,,,\n"}, "Kawa,02,000500,4,9,1,,,,,,\n",
         "", 1, 0, wares(0, 0, 1, 0),
         "0201\t000001\tKawa\t4\t1\t6\n0201\t000500\tKawa\t9\t0\t2\n--\n"},
    Case{"BackToTheRoot", {"Kawa,,000500,4,9,1,,,,,,\n", "Kawa,02,000500,4,9,1,,,,,,\n"}, "Kawa,,000500,4,9,1,,,,,,\n",
         "", 1, 0, wares(0, 0, 1, 0), kAtTheRoot}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(MultipriceImport, TheWareTakesItsClassFromTheImport) {
    exec("insert into klasa (lKlasaRef, sNazwa, bAtrWart) values (3, 'Świeże', 5)");
    expectSuccess(import("Kawa,010101001,000500,4,9,1,Świeże,8,8,,,\n"));
    expectOutput(sql("select sArtIndex, lKlasaRef, bAtrWart, bAtrMask from towar order by sArtIndex"),
                 "sArtIndex\tlKlasaRef\tbAtrWart\tbAtrMask\n000001\t3\t13\t8\n000500\t3\t13\t8\n");
}

TEST_F(MultipriceImport, AFailedImportLeavesTheStoreAsItWas) {
    expectSuccess(import(kCoffee));
    // Every row of both tables; not the id pool: a server's sequence moves on whatever rolls back.
    const auto dump = [this] {
        return sql("select * from towar order by lTowarRef").out + sql("select * from plu order by lPluRef").out;
    };
    const auto before = dump();
    const auto path = file("import.csv");
    expectFailure(import("Herbata,010101001,000600,4,9,1,,,,,,\n,,,,,,,,,5901234123464,1,1\n"
                         "Kawa,010101002,000500,4,9,1,Nieznana,,,,,\n"),
                  path + ", wiersz 4: Brak klasyNieznanaw bazie!");
    expectFailure(import("Herbata,010101001,000600,4,9,1,,,,,,\nCukier,01010100,000700,4,9,1,,,,,,\n"),
                  path + ", wiersz 3: Błędna długość indeksu grupy (01010100).");
    // The store refuses a row after the ware was written: an id it already has.
    const auto withIds = file("ids.csv", "lTowarRef,sNazwa,sGrIndex,sArtIndex,byTyp,bWieleCen,sPLU,byStatus\n"
                                         ",Herbata,010101001,000600,4,1,,\n,,,,,,5901234123464,1\n"
                                         "1,Cukier,010101001,000700,4,0,,\n");
    expectFailure(run("products", {"import", withIds}), withIds + ", wiersz 4: towar o ID = 1 jest już w sklepie");
    EXPECT_EQ(dump(), before);
}

TEST_F(MultipriceImport, AnExportedStoreImportsAgainWithItsWaresAsTheyStand) {
    expectSuccess(import(kCoffee + "Herbata,,000600,4,9,1,,,,,,\n"));
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
