// towary price current, before-promotion, alternatives and discount, as a user runs them.

#include "tests/support/TowaryStore.h"

namespace {

// Coffee /000700 at 12.50: an ordinary condition at 10.00 in February 2026
// (to the 27th), a promotion at 7.99 from 1 to 20 March with one alternative price.
class PricesOfADayCommand : public TestSupport::TowaryStore {
protected:
    PricesOfADayCommand() {
        expectSuccess(run("products", {"import", file("towary.csv", "sNazwa,sGrIndex,sArtIndex,byCode,byTyp,byVAT,"
                                                                    "bWieleCen,sPLU,byStatus\n"
                                                                    "Kawa,010101001,000700,6,4,9,0,,\n")}));
        exec("update towar set dCenaSprzed = 12.5 where sArtIndex = '000700'",
             "insert into promocja (lPromocjaRef, sNazwa) values (900, 'Marzec')",
             "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, alternative_prices) "
             "select 901, lTowarRef, 46054, 46080, 10.0, null, null from towar where sArtIndex = '000700'",
             "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, alternative_prices) "
             "select 902, lTowarRef, 46082, 46101, 7.99, 900, '<alternative_prices><price>6.99</price>"
             "</alternative_prices>' from towar where sArtIndex = '000700'");
    }
    std::string alternatives() const { return sql("select alternative_prices from warsprz where lWarSprzRef = 902").out; }
};

TEST_F(PricesOfADayCommand, TheDaysPricesOfAProduct) {
    expectOutput(run("price", {"current", "/000700", "--day", "2026-03-10"}),
                 "Cena towaru: 12.5\n"
                 "Cena warunku sprzedaży dnia 2026-03-10: 7.99\n"
                 "Ceny alternatywne: <alternative_prices><price>6.99</price></alternative_prices>\n"
                 "Cena sprzedaży: 7.99\n");
    expectOutput(run("price", {"current", "/000700", "--day", "2026-02-28"}),
                 "Cena towaru: 12.5\n"
                 "Cena warunku sprzedaży dnia 2026-02-28: brak\n"
                 "Ceny alternatywne: brak\n"
                 "Cena sprzedaży: 12.50\n");

    exec("update towar set dCenaSprzed = 1234567.89 where sArtIndex = '000700'",
         "update warsprz set dCenaSprzed = 2345678.91 where lWarSprzRef = 902");
    expectOutput(run("price", {"current", "/000700", "--day", "2026-03-10"}),
                 "Cena towaru: 1234567.89\n"
                 "Cena warunku sprzedaży dnia 2026-03-10: 2345678.91\n"
                 "Ceny alternatywne: <alternative_prices><price>6.99</price></alternative_prices>\n"
                 "Cena sprzedaży: 2345678.91\n");
}

TEST_F(PricesOfADayCommand, ThePriceBeforeThePromotionInTwoModes) {
    expectOutput(run("price", {"before-promotion", "--day", "2026-03-10", "--mode", "1"}),
                 "Brak towarów z ceną sprzedaży sprzed promocji dnia 2026-03-10.\n");
    const auto line = sql("select lTowarRef from towar where sArtIndex = '000700'").out.substr(10);
    const auto id = line.substr(0, line.size() - 1);
    // The features' text is the label features' (tests/prices); here that --features adds it under the product.
    expectContains(run("price", {"before-promotion", "--day", "2026-03-10", "--mode", "4", "--features"}),
                   {"Towar\tPoprzednia cena\tCena jednostkowa\tJednostka\tPromocja od\tPromocja do\n" + id +
                    "\t10.00\t10.00\t-\t2026-03-01\t2026-03-20\n\t\"Poprzednia_cena\" = \"10.00\", \"Data_od\" = "});
    expectOutput(run("price", {"before-promotion", "--day", "2026-03-10", "--product", "/000700"}),
                 "Brak towarów z ceną sprzedaży sprzed promocji dnia 2026-03-10.\n");
    expectOutput(run("price", {"before-promotion", "--day", "2026-03-10", "--lowest-30", "--features"}),
                 "Towar\tNajniższa cena 30 dni\tPromocja od\tPromocja do\n" + id + "\t10.00\t2026-03-01\t2026-03-20\n"
                     "\t\"Najnizsza_cena_30_dni\" = \"10.00\"\n");
}

TEST_F(PricesOfADayCommand, AlternativePricesAreAddedToTheConditionOfTheDay) {
    const std::string added = "<alternative_prices><price>5.49</price><price>6.99</price></alternative_prices>";
    expectOutput(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5.49", "--add", "6.99"}),
                 "Warunek sprzedaży 902: " + added + "\n");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-04-01", "--add", "5"}),
                  "Towar 1 nie ma warunku sprzedaży ważnego dnia 2026-04-01.");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "4", "--add", "0.00"}),
                  "Cena alternatywna \"0.00\" musi być większa od zera.");
    EXPECT_EQ(alternatives(), "alternative_prices\n" + added + "\n") << "stored, and left as it was by the refusals";
}

TEST_F(PricesOfADayCommand, AlternativePricesAreAddedOnlyWhereTheStoreAllowsThem) {
    const auto setting = [this](const std::string& path, const std::string& value, const std::string& type) {
        const auto result = run("settings", {"set", path, value, "--type", type});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    };
    const std::string stored = alternatives();
    setting("Inne / Obsługa wielu cen sprzedaży na kasie / Dozwolone dla grup towarowych", "02\n0102", "string");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"}),
                  "Towar 1 z grupy 010101001 nie może mieć cen alternatywnych: grupy nie ma w ustawieniu „Inne / "
                  "Obsługa wielu cen sprzedaży na kasie / Dozwolone dla grup towarowych”.");
    setting("Inne / Obsługa wielu cen sprzedaży na kasie", "false", "bool");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"}),
                  "Sklep nie obsługuje wielu cen sprzedaży na kasie (ustawienie „Inne / Obsługa wielu cen sprzedaży "
                  "na kasie”); cen alternatywnych nie dodaje się.");
    EXPECT_EQ(alternatives(), stored);
    // What a condition holds can still be read.
    expectOutput(run("price", {"alternatives", "/000700", "--day", "2026-03-10"}),
                 "Warunek sprzedaży 902: <alternative_prices><price>6.99</price></alternative_prices>\n");
}

TEST_F(PricesOfADayCommand, OfSeveralConditionsOfTheDayTheUserChoosesOne) {
    // An ordinary condition over the first ten days of the promotion: the tills read either.
    exec("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) "
         "select 903, lTowarRef, 46082, 46091, 8.5 from towar where sArtIndex = '000700'");
    expectFailure(run("price", {"alternatives", "/000700", "--day", "2026-03-10", "--add", "5"}),
                  "Towar 1 ma kilka warunków sprzedaży ważnych dnia 2026-03-10 (902, 903); wskaż jeden opcją "
                  "--condition.");
    EXPECT_EQ(sql("select lWarSprzRef, alternative_prices from warsprz where lWarSprzRef >= 902").out,
              "lWarSprzRef\talternative_prices\n"
              "902\t<alternative_prices><price>6.99</price></alternative_prices>\n"
              "903\tNULL\n");

    expectOutput(run("price", {"alternatives", "/000700", "--condition", "903", "--add", "5"}),
                 "Warunek sprzedaży 903: <alternative_prices><price>5.00</price></alternative_prices>\n");
    expectOutput(run("price", {"alternatives", "/000700", "--day", "2026-03-15"}),
                 "Warunek sprzedaży 902: <alternative_prices><price>6.99</price></alternative_prices>\n");
    expectFailure(run("price", {"alternatives", "/000700", "--condition", "999", "--add", "5"}),
                  "Towar 1 nie ma warunku sprzedaży 999.");
    expectBadUsage(run("price", {"alternatives", "/000700", "--condition", "903", "--day", "2026-03-10"}),
                   "--day");
}

// The fields' arithmetic and their refusals are the discount mediator's (tests/prices).
TEST_F(PricesOfADayCommand, TwoOfTheDiscountFieldsGiveTheThird) {
    expectOutput(run("price", {"discount", "--catalog", "200", "--discount", "12,5"}),
                 "Cena katalogowa: 200\nRabat %: 12,5\nCena końcowa: 175.0000\n");
    expectOutput(run("price", {"discount", "--catalog", "3", "--final", "1"}),
                 "Cena katalogowa: 3\nRabat %: 66.67\nCena końcowa: 1\n");
    expectOutput(run("price", {"discount", "--final", "175", "--discount", "12.5"}),
                 "Cena katalogowa: 200.0000\nRabat %: 12.5\nCena końcowa: 175\n");
    expectBadUsage(run("price", {"discount", "--catalog", "200"}),
                   "Podaj dokładnie dwie z trzech wartości --catalog, --final i --discount.");
}

// A result beyond the range of numbers is the mediator's refusal (tests/prices); negative prices are the command's.
TEST_F(PricesOfADayCommand, TheDiscountIsNeverMinusZeroAndNegativePricesAreRefused) {
    expectOutput(run("price", {"discount", "--catalog", "1000", "--final", "1000.04"}),
                 "Cena katalogowa: 1000\nRabat %: 0.00\nCena końcowa: 1000.04\n");
    for (const auto& given : std::vector<std::vector<std::string>>{{"--catalog", "1000", "--final", "-5"},
                                                                    {"--catalog", "10", "--discount", "101"}}) {
        std::vector<std::string> args{"discount"};
        args.insert(args.end(), given.begin(), given.end());
        expectFailure(run("price", args), "Cena katalogowa i cena końcowa nie mogą być ujemne; popraw cenę lub rabat.");
    }
}

}  // namespace
