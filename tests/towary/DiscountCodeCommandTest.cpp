#include "Core/tools/Gs1.h"
#include "tests/support/StoreTriggers.h"
#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::runTowary;

// A store made by towary init, with a product of article index 000101 sold in unit 3.
class PluPriceCodeCommand : public TestSupport::TowaryStore {
protected:
    PluPriceCodeCommand() {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nJmSprz)"
             " values (newref, 'Ser', '0101', '000101', 6, 3)");
    }

    // The special code of the first twelve digits.
    static std::string code(const std::string& digits) { return digits + Core::Gs1::checkDigit(digits); }
};

TEST_F(PluPriceCodeCommand, AnIdAnIntCannotHoldIsRefusedAndNeverReachesAnotherProduct) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (6, 'Mleko', '0101', '000102', 6)");
    // 4294967302 cut to an int would be 6.
    for (const std::string id : {"4294967302", "2147483648", "0"})
        expectFailure(run("plu", {"special", id, "5"}), "Towar \"" + id +
                                                           "\": identyfikator poza zakresem; identyfikatory mają "
                                                           "wartości od 1 do 2147483647.");
    EXPECT_EQ(sql("select count(*) n from plu").out, "n\n0\n");
}

// What the code's rows hold and that they are saved together is the adapter's (tests/plu).
TEST_F(PluPriceCodeCommand, PrintsTheNewCodeStoredWithItsPriceAndLabels) {
    expectOutput(run("plu", {"special", "/000101", "12.5", "--labels", "3"}), code("290000101250") + "\n");
    const std::string id = sql("select lTowarRef from towar").out.substr(std::string("lTowarRef\n").size());
    expectOutput(runTowary({"--user", "7", "plu", "special", dir_, id.substr(0, id.size() - 1), "3.10"}),
                 code("290000200310") + "\n");

    EXPECT_EQ(sql("select p.sPLU, p.nJm, p.byStatus, s.lIlosc, s.lUzytkRef, d.dCena from plu p, SpecCenDruk s,"
                  " PluDiscount d where s.lPluRef = p.lPluRef and d.lPluRef = p.lPluRef order by p.sPLU")
                  .out,
              "sPLU\tnJm\tbyStatus\tlIlosc\tlUzytkRef\tdCena\n" + code("290000101250") + "\t3\t1\t3\t1\t12.5\n" +
                  code("290000200310") + "\t3\t1\t1\t7\t3.1\n");
}

TEST_F(PluPriceCodeCommand, RefusesBadInputAndLeavesNothingWhenItFailsOnTheWay) {
    expectFailure(run("plu", {"special", "/000101", "1000"}),
                  "Cena specjalna 1000.00 poza zakresem: kod PLU mieści ceny od 0.01 do 999.99.");
    expectFailure(run("plu", {"special", "ser", "5"}),
                  "Towar \"ser\": podaj identyfikator towaru albo / i jego indeks.");
    for (const char* price : {"pięć", "1e30", "nan", "inf"})
        expectBadUsage(run("plu", {"special", "/000101", price}),
                       "Cena specjalna \"" + std::string(price) + "\" nie jest liczbą");
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (99, 'Nabiał', '01', 1)");
    expectFailure(run("plu", {"special", "99", "5"}),
                  "Wiersz \"99\" (Nabiał) nie jest towarem: kod z ceną specjalną dostaje tylko towar, nie grupa.");

    // The history entry is written last: when the store refuses it the code, price and labels go too.
    TestSupport::refuseWrites(dir_, "HistoriaZmian", "insert", "historia zmian nieczynna");
    expectFailureWith(run("plu", {"special", "/000101", "5"}), "historia zmian nieczynna");
    EXPECT_EQ(sql("select (select count(*) from plu) + (select count(*) from SpecCenDruk) +"
                  " (select count(*) from PluDiscount) n from dual")
                  .out,
              "n\n0\n");
}

}  // namespace
