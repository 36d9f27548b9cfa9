#include "tests/support/TowaryStore.h"

namespace {

class PriceCommand : public TestSupport::TowaryStore {};

// The arithmetic and the rounding rules are the module's (tests/prices); here the arguments and the printed forms.
TEST_F(PriceCommand, VatRatesSellMarginAndRoundFollowTheStoresListsAndSettings) {
    expectContains(run("price", {"vat"}), {"Kod\tNazwa\tStawka %\tLitera fiskalna\tDla towarów\n1\t0% do 2010\t0.00\tC\tnie\n",
                                           "6\t22%\t22.00\tA\tnie\n", "10\t0%\t0.00\tD\ttak\n11\tzw.\t0.00\tE\ttak\n"});
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (1, 'Mleko', '0101', 6)");
    const std::string digits(30000, '7');  // read by a plain scan: no recursion the length could overflow
    expectCases("price", {{{"sell", "10", "20", "13"}, "15.38\n", 0},
                          {{"margin", "10", "15.38", "13"}, "20.03\n", 0},
                          {{"round", "1", "12.30"}, "12.29\n", 0},
                          {{"round", "3", "12.30"}, "Brak towaru o identyfikatorze 3."},
                          {{"sell", "10,50", "20", "13"},
                           "Cena zakupu \"10,50\" nie jest liczbą; część ułamkową oddziela się kropką, np. 12.50.", 2},
                          {{"sell", "10.12345", "20", "13"}, "Cena zakupu \"10.12345\" ma więcej miejsc po kropce niż 4.", 2},
                          {{"sell", "-10", "20", "13"}, "Cena zakupu \"-10\": liczba nie może być ujemna.", 2},
                          {{"sell", "99999999999", "20", "13"}, "Cena zakupu \"99999999999\": liczba jest za duża.", 2},
                          {{"sell", "10", "-99999999999999999999", "13"}, "Marża \"-99999999999999999999\": liczba jest za duża.", 2},
                          {{"round", "1.0", "12.30"}, "Identyfikator towaru \"1.0\" nie jest liczbą całkowitą.", 2},
                          {{"round", "4294967302", "12.30"}, "Identyfikator towaru \"4294967302\": liczba jest za duża.", 2},
                          {{"sell", digits, "20", "13"}, "\": liczba jest za duża.", 2},
                          {{"sell", "10", "20", digits + "x"}, "\" nie jest liczbą całkowitą.", 2}});
}

}  // namespace
