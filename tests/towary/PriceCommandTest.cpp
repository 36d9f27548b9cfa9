#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::RunResult;

// A store made by `towary init`, as a pricing clerk finds it.
class PriceCommand : public TestSupport::TowaryStore {
protected:
    RunResult price(std::vector<std::string> args) { return run("price", std::move(args)); }
};

TEST_F(PriceCommand, VatRatesSellAndMarginFollowTheStoresListsAndSettings) {
    expectOutput(price({"vat"}),
                 "Kod\tNazwa\tStawka %\tLitera fiskalna\tDla towarów\n"
                 "1\t0% do 2010\t0.00\tC\tnie\n"
                 "2\t3%\t3.00\tC\tnie\n"
                 "3\t7%\t7.00\tB\tnie\n"
                 "6\t22%\t22.00\tA\tnie\n"
                 "8\tzw. do 2010\t0.00\tA\tnie\n"
                 "9\t5%\t5.00\tC\ttak\n"
                 "10\t0%\t0.00\tD\ttak\n"
                 "11\tzw.\t0.00\tE\ttak\n"
                 "12\t8%\t8.00\tB\ttak\n"
                 "13\t23%\t23.00\tA\ttak\n");
    expectOutput(price({"sell", "10", "20", "13"}), "15.38\n");
    expectOutput(price({"margin", "10", "15.38", "13"}), "20.03\n");
    expectOutput(price({"margin", "10", "9.84", "13"}), "-20.00\n");
    expectOutput(price({"sell", "10", "95", "13"}), "123.00\n");  // cut to the sample ceiling of 90 %
    set("Parametry programu / Towary / Marże / Marża KVR", "true");
    expectOutput(price({"sell", "10", "20", "13"}), "16.31\n");
    expectOutput(price({"margin", "10", "16.31", "13"}), "19.99\n");
}

TEST_F(PriceCommand, BadNumbersAreBadUsageWithTheReason) {
    expectBadUsage(price({"sell", "10,50", "20", "13"}),
                   "Cena zakupu \"10,50\" nie jest liczbą; część ułamkową oddziela się kropką, np. 12.50.");
    expectBadUsage(price({"sell", "10.12345", "20", "13"}), "Cena zakupu \"10.12345\" ma więcej miejsc po kropce niż 4.");
    expectBadUsage(price({"sell", "-10", "20", "13"}), "Cena zakupu \"-10\": liczba nie może być ujemna.");
    expectBadUsage(price({"sell", "10", "20", "A"}), "Kod stawki VAT \"A\" nie jest liczbą całkowitą.");
    expectBadUsage(price({"sell", "99999999999", "20", "13"}), "Cena zakupu \"99999999999\": liczba jest za duża.");
    expectBadUsage(price({"sell", "10", "-99999999999999999999", "13"}),
                   "Marża \"-99999999999999999999\": liczba jest za duża.");
    expectBadUsage(price({"margin", "10", "15.375", "13"}), "Cena sprzedaży \"15.375\" ma więcej miejsc po kropce niż 2.");
    expectBadUsage(price({"round", "1.0", "12.30"}), "Identyfikator towaru \"1.0\" nie jest liczbą całkowitą.");
    expectBadUsage(price({"round", "4294967302", "12.30"}),
                   "Identyfikator towaru \"4294967302\": liczba jest za duża.");
    const std::string digits(30000, '7');  // read by a plain scan: no recursion the length could overflow
    expectBadUsage(price({"sell", digits, "20", "13"}), "\": liczba jest za duża.");
    expectBadUsage(price({"sell", "10", "20", digits + "x"}), "\" nie jest liczbą całkowitą.");
}

TEST_F(PriceCommand, RoundUsesTheRuleOfTheProductsGroup) {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) select 1, 'Mleko', '0101', 6 from dual union all "
         "select 2, 'Proszek', '0201', 6 from dual");
    expectOutput(price({"round", "1", "12.30"}), "12.29\n");
    expectOutput(price({"round", "2", "24.34"}), "24.30\n");  // group 02 rounds to zero above 20.00
    expectFailure(price({"round", "3", "12.30"}), "Brak towaru o identyfikatorze 3.");

    set("Parametry programu / Towary / Zaokrąglanie cen sprzedaży / Zaokrąglanie do wartości psychologicznych / "
        "Włączone",
        "false");
    expectOutput(price({"round", "1", "12.30"}), "12.30\n");
}

}  // namespace
