// towary lists, towary stock and towary ordering on a store made by towary init.

#include "tests/support/TowaryStore.h"

namespace {

class ClassificationCommand : public TestSupport::TowaryStore {};

// The lists' entries and the methods' are the module's (tests/classification); here their names and the two layouts.
TEST_F(ClassificationCommand, ListsPrintCodesAndLabelsAndStockTheThreeQuantities) {
    expectContains(command("lists", {"--tsv"}), {"measure-units\t13\tdsp\n", "activity-statuses-with-all\t\t<wszystkie>\n",
                                                "product-types\t23\tPropozycja\n", "ordering-methods\t2\tZapas docelowy\n"});
    exec("insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (4, 'Zwrot\tz\r\nkasy \\ 2')",
         "insert into statusaktywnosci (nStatusAktywnosci, sNazwa) values (3000000000, 'Za duży')");
    expectCases("", {{{"lists", dir_, "bool-values"}, "bool-values:\n  0  nie\n  1  tak\n", 0},
                     {{"lists", dir_, "discount-reasons", "--tsv"}, "discount-reasons\t4\tZwrot\\tz\\r\\nkasy \\\\ 2\n", 0},
                     // Nor are the lists before the one that fails printed.
                     {{"lists", dir_}, "Wartość 3000000000 nie mieści się w zakresie typu int (kolumna nStatusAktywnosci)."},
                     {{"lists", dir_, "kolory"}, "Nie ma listy \"kolory\"", 2},
                     {{"ordering", dir_}, "1\tZapas minimalny i maksymalny\tpoziomy zapasu: 1, 2\n2\tZapas docelowy\tpoziomy "
                                          "zapasu: 3\n", 0}});

    // Stock prints the three quantities.
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (100, 'Mąka', '01', '000100', 6), "
         "(5, 'Spożywcze', '01', null, 1)",
         "insert into stn (lTowarRef, data, dStan) values (100, 40000, 4), (100, 40001, 12.5)",
         "insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg) values (10, 32, 1, 0), (11, 20, 0, 3)",
         "insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (1, 10, 100, 3), (2, 11, 100, 1.5)",
         "insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu) values (1, 100, 1, 1)");
    expectCases("", {{{"stock", dir_, "100"}, "Stan: 12.5\nZarezerwowano: 4.5\nW serwisie: 1\n", 0},
                     {{"stock", dir_, "/000100", "--exclude-document", "10"}, "Stan: 12.5\nZarezerwowano: 1.5\nW serwisie: 1\n", 0},
                     {{"stock", dir_, "5"}, "Wiersz \"5\" (Spożywcze) nie jest towarem: stan ma tylko towar, nie grupa."},
                     {{"stock", dir_, "100", "--exclude-document", "x"}, "Identyfikator dokumentu \"x\"", 2}});
    // No "Stan:" without its number. Only a store in a file can hold a text in a number's column.
    if (TestSupport::onServer()) return;
    exec("insert into stn (lTowarRef, data, dStan) values (100, 40002, 'dużo')");
    expectFailure(command("stock", {"100"}), "Wartość \"dużo\" nie jest liczbą (kolumna dStan).");
}

}  // namespace
