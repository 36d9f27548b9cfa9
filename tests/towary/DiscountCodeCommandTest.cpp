#include "Core/tools/Gs1.h"
#include "tests/support/StoreTriggers.h"
#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::TowaryStore;

// What the code's rows hold and that they are saved together is the adapter's (tests/plu).
TEST_F(TowaryStore, PluSpecialPrintsTheNewCodeStoredWithItsPriceAndLabelsAndRefusesBadInput) {
    // A product of article index 000101 sold in unit 3.
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, nJmSprz) values (newref, 'Ser', '0101', "
         "'000101', 6, 3)");
    // The special code of the first twelve digits.
    const auto code = [](const std::string& digits) { return digits + Core::Gs1::checkDigit(digits); };
    expectOutput(run("plu", {"special", "/000101", "12.5", "--labels", "3"}), code("290000101250") + "\n");
    expectOutput(TestSupport::runTowary({"--user", "7", "plu", "special", dir_, value("select lTowarRef from towar"), "3.10"}),
                 code("290000200310") + "\n");
    // The code, unit, status, labels, user and price.
    EXPECT_EQ(sql("select p.sPLU, p.nJm, p.byStatus, s.lIlosc, s.lUzytkRef, d.dCena from plu p, SpecCenDruk s, PluDiscount "
                  "d where s.lPluRef = p.lPluRef and d.lPluRef = p.lPluRef order by p.sPLU").out,
              "sPLU\tnJm\tbyStatus\tlIlosc\tlUzytkRef\tdCena\n" + code("290000101250") + "\t3\t1\t3\t1\t12.5\n" +
                  code("290000200310") + "\t3\t1\t1\t7\t3.1\n");

    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (6, 'Mleko', '0101', '000102', 6), "
         "(99, 'Nabiał', '01', null, 1)");
    const auto outOfRange = [](const std::string& id) {
        return "Towar \"" + id + "\": identyfikator poza zakresem; identyfikatory mają wartości od 1 do 2147483647.";
    };
    // 4294967302 cut to an int would be 6.
    expectCases("plu", {{{"special", "4294967302", "5"}, outOfRange("4294967302")},
                        {{"special", "0", "5"}, outOfRange("0")},
                        {{"special", "/000101", "1000"},
                         "Cena specjalna 1000.00 poza zakresem: kod PLU mieści ceny od 0.01 do 999.99."},
                        {{"special", "ser", "5"}, "Towar \"ser\": podaj identyfikator towaru albo / i jego indeks."},
                        {{"special", "99", "5"}, "Wiersz \"99\" (Nabiał) nie jest towarem: kod z ceną specjalną dostaje tylko "
                                                 "towar, nie grupa."},
                        {{"special", "/000101", "pięć"}, "Cena specjalna \"pięć\" nie jest liczbą", 2},
                        {{"special", "/000101", "1e30"}, "Cena specjalna \"1e30\" nie jest liczbą", 2}});
    // The history entry is written last: when the store refuses it the code, price and labels go too, and the two
    // codes made above stay.
    TestSupport::refuseWrites(dir_, "HistoriaZmian", "insert", "historia zmian nieczynna");
    expectFailureWith(run("plu", {"special", "/000101", "5"}), "historia zmian nieczynna");
    EXPECT_EQ(value("select (select count(*) from plu) + (select count(*) from SpecCenDruk) + (select count(*) from "
                    "PluDiscount) n from dual"),
              "6");
}

}  // namespace
