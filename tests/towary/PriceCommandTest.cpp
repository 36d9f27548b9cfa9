#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::RunResult;

// A store made by `towary init`, as a pricing clerk finds it.
class PriceCommand : public TestSupport::TowaryStore {
protected:
    RunResult price(std::vector<std::string> args) { return run("price", std::move(args)); }
};

// The arithmetic and the rounding rules are the module's (tests/prices); here the arguments and the printed forms.
TEST_F(PriceCommand, VatRatesSellAndMarginFollowTheStoresListsAndSettings) {
    expectContains(price({"vat"}), {"Kod\tNazwa\tStawka %\tLitera fiskalna\tDla towarów\n1\t0% do 2010\t0.00\tC\tnie\n",
                                    "6\t22%\t22.00\tA\tnie\n", "10\t0%\t0.00\tD\ttak\n11\tzw.\t0.00\tE\ttak\n"});
    expectOutput(price({"sell", "10", "20", "13"}), "15.38\n");
    expectOutput(price({"margin", "10", "15.38", "13"}), "20.03\n");
}

TEST_F(PriceCommand, BadNumbersAreBadUsageWithTheReason) {
    expectBadUsage(price({"sell", "10,50", "20", "13"}),
                   "Cena zakupu \"10,50\" nie jest liczbą; część ułamkową oddziela się kropką, np. 12.50.");
    expectBadUsage(price({"sell", "10.12345", "20", "13"}), "Cena zakupu \"10.12345\" ma więcej miejsc po kropce niż 4.");
    expectBadUsage(price({"sell", "-10", "20", "13"}), "Cena zakupu \"-10\": liczba nie może być ujemna.");
    expectBadUsage(price({"sell", "99999999999", "20", "13"}), "Cena zakupu \"99999999999\": liczba jest za duża.");
    expectBadUsage(price({"sell", "10", "-99999999999999999999", "13"}),
                   "Marża \"-99999999999999999999\": liczba jest za duża.");
    expectBadUsage(price({"round", "1.0", "12.30"}), "Identyfikator towaru \"1.0\" nie jest liczbą całkowitą.");
    expectBadUsage(price({"round", "4294967302", "12.30"}),
                   "Identyfikator towaru \"4294967302\": liczba jest za duża.");
    const std::string digits(30000, '7');  // read by a plain scan: no recursion the length could overflow
    expectBadUsage(price({"sell", digits, "20", "13"}), "\": liczba jest za duża.");
    expectBadUsage(price({"sell", "10", "20", digits + "x"}), "\" nie jest liczbą całkowitą.");
}

TEST_F(PriceCommand, RoundUsesTheRuleOfTheProductsGroup) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (1, 'Mleko', '0101', 6)");
    expectOutput(price({"round", "1", "12.30"}), "12.29\n");
    expectFailure(price({"round", "3", "12.30"}), "Brak towaru o identyfikatorze 3.");
}

}  // namespace
