// towary price current, before-promotion, alternatives and discount, as a user runs them.

#include "tests/support/TowaryStore.h"

namespace {

const std::string kStored = "<alternative_prices><price>6.99</price></alternative_prices>";

using TestSupport::TowaryStore;

// The features' text is the label features' (tests/prices); here that --features adds it under the product.
TEST_F(TowaryStore, TheDaysPricesOfAProductThePriceBeforeThePromotionTheDiscountFieldsAndAlternativePrices) {
    // Coffee /000700 (id 1) at 12.50: an ordinary condition at 10.00 in February 2026
    // (to the 27th), a promotion at 7.99 from 1 to 20 March with one alternative price.
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, byTyp, byVAT, bWieleCen, dCenaSprzed) "
         "values (1, 'Kawa', '010101001', '000700', 6, 4, 9, 0, 12.5)",
         "insert into promocja (lPromocjaRef, sNazwa) values (900, 'Marzec')",
         "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, alternative_prices) "
         "values (901, 1, 46054, 46080, 10.0, null, null), (902, 1, 46082, 46101, 7.99, 900, '" + kStored + "')");
    const auto alternatives = [this] { return sql("select alternative_prices from warsprz where lWarSprzRef = 902").out; };
    const std::string none = "Brak towarów z ceną sprzedaży sprzed promocji dnia 2026-03-10.\n";
    expectContains(run("price", {"before-promotion", "--day", "2026-03-10", "--mode", "4", "--features"}),
                   {"Towar\tPoprzednia cena\tCena jednostkowa\tJednostka\tPromocja od\tPromocja do\n1\t10.00\t10.00\t-\t"
                    "2026-03-01\t2026-03-20\n\t\"Poprzednia_cena\" = \"10.00\", \"Data_od\" = "});
    expectCases("price", {{{"before-promotion", "--day", "2026-03-10", "--mode", "1"}, none, 0},
                          {{"before-promotion", "--day", "2026-03-10", "--product", "/000700"}, none, 0},
                          {{"before-promotion", "--day", "2026-03-10", "--lowest-30", "--features"},
                           "Towar\tNajniższa cena 30 dni\tPromocja od\tPromocja do\n1\t10.00\t2026-03-01\t2026-03-20\n"
                           "\t\"Najnizsza_cena_30_dni\" = \"10.00\"\n", 0},
                          {{"current", "/000700", "--day", "2026-03-10"},
                           "Cena towaru: 12.5\nCena warunku sprzedaży dnia 2026-03-10: 7.99\nCeny alternatywne: " +
                               kStored + "\nCena sprzedaży: 7.99\n", 0},
                          {{"current", "/000700", "--day", "2026-02-28"},
                           "Cena towaru: 12.5\nCena warunku sprzedaży dnia 2026-02-28: brak\nCeny alternatywne: brak\n"
                           "Cena sprzedaży: 12.50\n", 0}});
    exec("update towar set dCenaSprzed = 1234567.89", "update warsprz set dCenaSprzed = 2345678.91 where lWarSprzRef = 902");
    expectOutput(run("price", {"current", "/000700", "--day", "2026-03-10"}),
                 "Cena towaru: 1234567.89\nCena warunku sprzedaży dnia 2026-03-10: 2345678.91\nCeny alternatywne: " +
                     kStored + "\nCena sprzedaży: 2345678.91\n");

    // The fields' arithmetic and their refusals are the discount mediator's (tests/prices); negative prices are the
    // command's, and the discount is never minus zero.
    const std::string negative = "Cena katalogowa i cena końcowa nie mogą być ujemne; popraw cenę lub rabat.";
    expectCases("price", {{{"discount", "--catalog", "200", "--discount", "12,5"},
                           "Cena katalogowa: 200\nRabat %: 12,5\nCena końcowa: 175.0000\n", 0},
                          {{"discount", "--catalog", "3", "--final", "1"}, "Cena katalogowa: 3\nRabat %: 66.67\nCena końcowa: 1\n", 0},
                          {{"discount", "--final", "175", "--discount", "12.5"},
                           "Cena katalogowa: 200.0000\nRabat %: 12.5\nCena końcowa: 175\n", 0},
                          {{"discount", "--catalog", "1000", "--final", "1000.04"},
                           "Cena katalogowa: 1000\nRabat %: 0.00\nCena końcowa: 1000.04\n", 0},
                          {{"discount", "--catalog", "200"},
                           "Podaj dokładnie dwie z trzech wartości --catalog, --final i --discount.", 2},
                          {{"discount", "--catalog", "1000", "--final", "-5"}, negative},
                          {{"discount", "--catalog", "10", "--discount", "101"}, negative}});

    // Alternative prices go to the condition of the day the user chooses, where the store allows them.
    // An ordinary condition over the first ten days of the promotion: the tills read either.
    exec("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) values (903, 1, 46082, 46091, 8.5)");
    expectCases("price", {{{"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"},
                           "Towar 1 ma kilka warunków sprzedaży ważnych dnia 2026-03-10 (902, 903); wskaż jeden opcją "
                           "--condition."},
                          {{"alternatives", "/000700", "--condition", "903", "--add", "5"},
                           "Warunek sprzedaży 903: <alternative_prices><price>5.00</price></alternative_prices>\n", 0},
                          {{"alternatives", "/000700", "--day", "2026-03-15"}, "Warunek sprzedaży 902: " + kStored + "\n", 0},
                          {{"alternatives", "/000700", "--condition", "999", "--add", "5"},
                           "Towar 1 nie ma warunku sprzedaży 999."},
                          {{"alternatives", "/000700", "--condition", "903", "--day", "2026-03-10"}, "--day", 2}});
    EXPECT_EQ(alternatives(), "alternative_prices\n" + kStored + "\n");
    exec("delete from warsprz where lWarSprzRef = 903");

    const std::string added = "<alternative_prices><price>5.49</price><price>6.99</price></alternative_prices>";
    expectCases("price", {{{"alternatives", "/000700", "--day", "2026-03-10", "--add", "5.49", "--add", "6.99"},
                           "Warunek sprzedaży 902: " + added + "\n", 0},
                          {{"alternatives", "/000700", "--day", "2026-04-01", "--add", "5"},
                           "Towar 1 nie ma warunku sprzedaży ważnego dnia 2026-04-01."},
                          {{"alternatives", "/000700", "--day", "2026-03-10", "--add", "4", "--add", "0.00"},
                           "Cena alternatywna \"0.00\" musi być większa od zera."}});
    EXPECT_EQ(alternatives(), "alternative_prices\n" + added + "\n") << "stored, and left as it was by the refusals";

    // Which groups may have them is the module's (tests/prices); here the command's refusals.
    expectSuccess(run("settings", {"set", "Inne / Obsługa wielu cen sprzedaży na kasie / Dozwolone dla grup towarowych",
                                   "02\n0102", "--type", "string"}));
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"}),
                  "Towar 1 z grupy 010101001 nie może mieć cen alternatywnych: grupy nie ma w ustawieniu „Inne / "
                  "Obsługa wielu cen sprzedaży na kasie / Dozwolone dla grup towarowych”.");
    set("Inne / Obsługa wielu cen sprzedaży na kasie", "false");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"}),
                  "Sklep nie obsługuje wielu cen sprzedaży na kasie (ustawienie „Inne / Obsługa wielu cen sprzedaży "
                  "na kasie”); cen alternatywnych nie dodaje się.");
    EXPECT_EQ(alternatives(), "alternative_prices\n" + added + "\n");
    // What a condition holds can still be read.
    expectOutput(run("price", {"alternatives", "/000700", "--day", "2026-03-10"}), "Warunek sprzedaży 902: " + added + "\n");
}

}  // namespace
