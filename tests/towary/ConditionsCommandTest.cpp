// towary conditions import|export and towary multiprice show, as a user runs them.

#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::TowaryStore;

// Which element a price goes to is the module's (tests/multiprice); here what the commands write and print, and that
// they refuse. The refusals come last: a server's id sequence moves on whatever they roll back.
TEST_F(TowaryStore, ConditionsOfAWareGoToTheElementOfTheirPriceAndTravelOutAndInAndABadRowStoresNothing) {
    // A multi-price ware (grouping row 000500 with one element) and an ordinary product 000700.
    set("Parametry programu/Towary/Towary wielocenowe/Włączone", "true");
    expectSuccess(run("products", {"import", file("towary.csv", "sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,bWieleCen,"
                                                                "sPLU,byStatus\nKawa,010101001,000500,6,4,9,1,,\n"
                                                                ",,,,,,,5901234123457,1\nCukier,010101001,000700,6,4,9,0,,\n")}));
    // The conditions, then the number of elements of wares.
    const auto conditions = [this] {
        return sql("select t.sArtIndex, w.dCenaSprzed, w.dataOd, w.dataDo from warsprz w join towar t on "
                   "t.lTowarRef = w.lTowarRef order by w.lWarSprzRef").out +
               sql("select count(*) n from towar where bWieleCen = 1").out;
    };
    const auto path = file("warunki.csv", "towar,dCenaSprzed,dataOd,dataDo\n/000500,9.99,2026-01-01,2026-12-31\n"
                                          "/000500,12.49,2026-01-01,2026-06-30\n/000500,9.99,2027-01-01,2027-12-31\n"
                                          "/000700,3.5,2026-01-01,2026-12-31\n");
    expectOutput(run("conditions", {"import", path}),
                 "Zapisano warunki sprzedaży z " + path + ": 4, nowe elementy towarów wielocenowych: 1.\n");
    EXPECT_EQ(conditions(), "sArtIndex\tdCenaSprzed\tdataOd\tdataDo\n000001\t9.99\t46023\t46387\n"
                            "000002\t12.49\t46023\t46203\n000001\t9.99\t46388\t46752\n000700\t3.5\t46023\t46387\nn\n2\n");
    expectCases("", {{{"multiprice", "show", dir_, "/000002"},
                      "Towar wielocenowy Kawa, indeks 000500, ID = 1, grupa 010101001001\n  kody: 5901234123457\n"
                      "  element 000001, ID = 2, typ 4: 9.99 zł od 2026-01-01 do 2026-12-31; 9.99 zł od 2027-01-01 do "
                      "2027-12-31\n  element 000002, ID = 6, typ 4: 12.49 zł od 2026-01-01 do 2026-06-30\n", 0},
                     {{"conditions", "export", dir_}, "towar,dCenaSprzed,dataOd,dataDo,lPromoRef,byDeleted,byBlokada\n"
                                                      "2,9.99,2026-01-01,2026-12-31,,,\n2,9.99,2027-01-01,2027-12-31,,,\n"
                                                      "4,3.50,2026-01-01,2026-12-31,,,\n6,12.49,2026-01-01,2026-06-30,,,\n", 0},
                     {{"multiprice", "show", dir_, "/000700"},
                      "Towar \"/000700\" (Cukier) nie jest towarem wielocenowym ani jego elementem."}});

    // What a condition may hold is the module's; here that a refused file is named by its line, stores nothing and
    // leaves no element it made for a row before behind.
    const auto before = conditions();
    const auto database = dir_ + "/" + (TestSupport::onServer() ? "baza.toml" : "towary.db");
    const auto store = TestSupport::readFile(database);
    // A row after one that made an element of its price.
    const auto bad = [this](const std::string& name, const std::string& row) {
        return file(name, "towar,dCenaSprzed,dataOd,dataDo,lPromoRef\n/000500,19.99,2026-01-01,2026-12-31,\n" + row);
    };
    const std::string other = "; plik warunków musi być innym plikiem.";
    expectCases("conditions", {{{"import", bad("1.csv", "/000500,0,2026-01-01,2026-12-31,\n")},
                                file("1.csv") + ", wiersz 3: cena 0.00 nie jest dodatnia; cena sprzedaży to co najmniej 0.01"},
                               {{"import", bad("2.csv", "/000500,1,2026-12-31,2026-01-01,\n")},
                                file("2.csv") + ", wiersz 3: dataDo 2026-01-01 jest przed dataOd 2026-12-31"},
                               {{"import", bad("3.csv", "/000500,1,2026-01-01,2026-12-31,77\n")},
                                file("3.csv") + ", wiersz 3: nie ma promocji o ID = 77"},
                               {{"import", file("naglowek.csv", "towar,cena\n")},
                                file("naglowek.csv") + ", wiersz 1: nieznana kolumna cena: plik warunków ma kolumny "
                                                       "towar, dCenaSprzed, dataOd, dataDo, lPromoRef, byDeleted, byBlokada"}});
    EXPECT_EQ(conditions(), before);
    // The store's own files are no condition files, whichever way (which files are its own is ProductsCommand's).
    expectFailureWith(run("conditions", {"export", database}), other);
    expectFailureWith(run("conditions", {"import", dir_ + "/towary.toml"}), other);
    EXPECT_EQ(TestSupport::readFile(database), store) << "the export did not write over the store";
}

}  // namespace
