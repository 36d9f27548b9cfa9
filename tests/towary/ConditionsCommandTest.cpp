// towary conditions import|export and towary multiprice show, as a user runs them.

#include "tests/support/TowaryStore.h"

namespace {

// A store with a multi-price ware (grouping row 000500 with one element) and
// an ordinary product 000700, multi-price handling on.
class ConditionsCommand : public TestSupport::TowaryStore {
protected:
    ConditionsCommand() {
        set("Parametry programu/Towary/Towary wielocenowe/Włączone", "true");
        expectOutput(run("products", {"import", file("towary.csv",
                                                      "sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,bWieleCen,sPLU,byStatus\n"
                                                      "Kawa,010101001,000500,6,4,9,1,,\n"
                                                      ",,,,,,,5901234123457,1\n"
                                                      "Cukier,010101001,000700,6,4,9,0,,\n")}),
                     "Zaimportowano z " + file("towary.csv") + ": towary i grupy 2, kody 1.\n"
                     "Towary wielocenowe: utworzone 1, zamienione ze zwykłych 0, przeniesione 0, rozwiązane 0.\n");
    }

    std::string conditions() const {
        return sql("select t.sArtIndex, w.dCenaSprzed, w.dataOd, w.dataDo from warsprz w join towar t on "
                   "t.lTowarRef = w.lTowarRef order by w.lWarSprzRef")
            .out;
    }
};

TEST_F(ConditionsCommand, ConditionsOfAWareGoToTheElementOfTheirPriceAndTravelOutAndIn) {
    const auto path = file("warunki.csv", "towar,dCenaSprzed,dataOd,dataDo\n"
                                          "/000500,9.99,2026-01-01,2026-12-31\n"
                                          "/000500,12.49,2026-01-01,2026-06-30\n"
                                          "/000500,9.99,2027-01-01,2027-12-31\n"
                                          "/000700,3.5,2026-01-01,2026-12-31\n");
    expectOutput(run("conditions", {"import", path}),
                 "Zapisano warunki sprzedaży z " + path + ": 4, nowe elementy towarów wielocenowych: 1.\n");
    EXPECT_EQ(conditions(), "sArtIndex\tdCenaSprzed\tdataOd\tdataDo\n"
                            "000001\t9.99\t46023\t46387\n"
                            "000002\t12.49\t46023\t46203\n"
                            "000001\t9.99\t46388\t46752\n"
                            "000700\t3.5\t46023\t46387\n");
    expectOutput(run("multiprice", {"show", "/000002"}),
                 "Towar wielocenowy Kawa, indeks 000500, ID = 1, grupa 010101001001\n"
                 "  kody: 5901234123457\n"
                 "  element 000001, ID = 2, typ 4: 9.99 zł od 2026-01-01 do 2026-12-31; 9.99 zł od 2027-01-01 do "
                 "2027-12-31\n"
                 "  element 000002, ID = 6, typ 4: 12.49 zł od 2026-01-01 do 2026-06-30\n");
    expectOutput(run("conditions", {"export"}), "towar,dCenaSprzed,dataOd,dataDo,lPromoRef,byDeleted,byBlokada\n"
                                                "2,9.99,2026-01-01,2026-12-31,,,\n"
                                                "2,9.99,2027-01-01,2027-12-31,,,\n"
                                                "4,3.50,2026-01-01,2026-12-31,,,\n"
                                                "6,12.49,2026-01-01,2026-06-30,,,\n");
    expectFailure(run("multiprice", {"show", "/000700"}),
                  "Towar \"/000700\" (Cukier) nie jest towarem wielocenowym ani jego elementem.");
}

TEST_F(ConditionsCommand, ABadRowStoresNothingAndLeavesNoElementBehind) {
    const auto before = conditions();
    const auto elements = [&] { return sql("select count(*) n from towar where bWieleCen = 1").out; };
    const auto count = elements();
    const auto refused = [&](const std::string& row, const std::string& reason) {
        const auto path = file("zle.csv", "towar,dCenaSprzed,dataOd,dataDo,lPromoRef\n"
                                          "/000500,19.99,2026-01-01,2026-12-31,\n" +
                                              row + "\n");
        expectFailure(run("conditions", {"import", path}), path + ", wiersz 3: " + reason);
        EXPECT_EQ(conditions(), before) << row;
        EXPECT_EQ(elements(), count) << "the element made for 19.99 went with the rollback: " << row;
    };
    refused("/000500,0,2026-01-01,2026-12-31,", "cena 0.00 nie jest dodatnia; cena sprzedaży to co najmniej 0.01");
    refused("/000500,1,2026-12-31,2026-01-01,", "dataDo 2026-01-01 jest przed dataOd 2026-12-31");
    refused("/000500,1,2026-01-01,2026-12-31,77", "nie ma promocji o ID = 77");
    expectFailure(run("conditions", {"import", file("naglowek.csv", "towar,cena\n")}),
                  file("naglowek.csv") +
                      ", wiersz 1: nieznana kolumna cena: plik warunków ma kolumny towar, dCenaSprzed, dataOd, "
                      "dataDo, lPromoRef, byDeleted, byBlokada");
}

// Which files are the store's own is told by the products command's tests; here that both ways ask.
TEST_F(ConditionsCommand, TheStoresOwnFilesAreNoConditionFiles) {
    const auto database = dir_ + "/" + (TestSupport::onServer() ? "baza.toml" : "towary.db");
    const auto before = TestSupport::readFile(database);
    expectFailureWith(run("conditions", {"export", database}), "; plik warunków musi być innym plikiem.");
    expectFailureWith(run("conditions", {"import", dir_ + "/towary.toml"}), "; plik warunków musi być innym plikiem.");
    EXPECT_EQ(TestSupport::readFile(database), before) << "the export did not write over the store";
}

}  // namespace
