#include "tests/support/TowaryStore.h"

#include <array>

namespace {

const std::string kVariants =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<variants><variant><supplierIndex>HB-1200</supplierIndex>"
    "<netPurchasePrice>12.5</netPurchasePrice><catalogNetPurchasePrice>14.0000</catalogNetPurchasePrice>"
    "<logisticMinimum>24</logisticMinimum><clearanceSale>true</clearanceSale><purchaseMeasureUnit>kar"
    "</purchaseMeasureUnit><purchaseMeasureUnitRate>12</purchaseMeasureUnitRate></variant>\n<variant>"
    "<netPurchasePrice>1.1</netPurchasePrice><catalogNetPurchasePrice>1.25</catalogNetPurchasePrice>"
    "<purchaseMeasureUnit>sztuka</purchaseMeasureUnit><purchaseMeasureUnitRate>1</purchaseMeasureUnitRate>"
    "</variant></variants>\n";

// The grid of the two variants as the terminal prints it.
const std::string kGrid =
    "== Warianty ==\n"
    "   | Indeks towaru dostawcy | Cena zakupu | Katalogowa  | Minimum     | Wyprzedaż | Jednostka  | Liczba jm. sprzedaży\n"
    "   |                        | netto       | cena zakupu | logistyczne |           | zamówienia | w jm. zamawienia\n"
    "---+------------------------+-------------+-------------+-------------+-----------+------------+---------------------\n"
    " 1 | HB-1200                |     12.5000 |     14.0000 |      24.000 |     ✓     | kar        |               12.000\n"
    " 2 |                        |      1.1000 |      1.2500 |             |           | sztuka     |                1.000\n";

using TestSupport::TowaryStore;

TEST_F(TowaryStore, OrderShowsTheGridFillsThePositionFromThePickedVariantAndRefusesFilesThatAreNotVariants) {
    const auto order = [this](const std::string& text, std::vector<std::string> args = {}) {
        args.insert(args.begin(), {"variant", file("warianty.xml", text)});
        return run("order", args);
    };
    expectOutput(order(kVariants, {"--pick", "1"}), kGrid + "Wybrany wiersz: 1\n"
                                                            "Pozycja zamówienia z wariantu 1:\n"
                                                            "  Cena zakupu netto:                      12.5000\n"
                                                            "  Cena zakupu w walucie:                  12.5000\n"
                                                            "  Cena zakupu przed rabatem:              14.0000\n"
                                                            "  Jednostka zamówienia:                   kar (karton, kod 5)\n"
                                                            "  Liczba jm. sprzedaży w jm. zamówienia:  12.000\n"
                                                            "  Minimum logistyczne:                    24.000\n"
                                                            "  Indeks towaru dostawcy:                 HB-1200\n"
                                                            "  Wyprzedaż:                              tak\n");
    // What the second variant lacks is told as such.
    expectContains(order(kVariants, {"--pick", "2"}), {"  Jednostka zamówienia:                   szt (sztuka, kod 1)\n",
                                                       "  Minimum logistyczne:                    brak\n"
                                                       "  Indeks towaru dostawcy:                 brak\n"
                                                       "  Wyprzedaż:                              nie\n"});
    expectError(order(kVariants), "towary: Wybór wiersza tabeli \"Warianty\" bez odpowiedzi. Uruchom polecenie w "
                                  "terminalu albo podaj --pick N.\n");
    expectError(order(kVariants, {"--pick", "3"}),
                "towary: Nie ma wiersza 3 w tabeli \"Warianty\": wiersze mają numery od 1 do 2.\n");

    // A decimal comma, a unit not on the list and a broken document are the variants' own (tests/ui); here the values
    // out of their range, which the command refuses before it fills a position.
    const auto changed = [](const std::string& from, const std::string& to) {
        std::string text = kVariants;
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string rate = "<purchaseMeasureUnitRate>12<";
    const auto tooSmall = [](const std::string& value) {
        return "Wariant 1: element \"purchaseMeasureUnitRate\" ma wartość \"" + value +
               "\", a powinien zawierać liczbę nie mniejszą niż 0.001.";
    };
    for (const auto& [text, pick, refusal] : std::vector<std::array<std::string, 3>>{
             {"<variants/>", "1", "nie zawiera żadnego wariantu (elementu <variant> pod elementem głównym)."},
             {"<v><variant><netPurchasePrice>1</netPurchasePrice></variant></v>", "1",
              "Wariant 1: brak elementu \"purchaseMeasureUnit\"."},
             {changed(rate, "<purchaseMeasureUnitRate>1e30<"), "1", "Wariant 1: element \"purchaseMeasureUnitRate\": Kwota "},
             {changed("1.1<", "-1.1<"), "2",
              "Wariant 2: element \"netPurchasePrice\" ma wartość \"-1.1\", a powinien zawierać liczbę nieujemną."},
             {changed(">24<", ">-24<"), "1",
              "Wariant 1: element \"logisticMinimum\" ma wartość \"-24\", a powinien zawierać liczbę nieujemną."},
             {changed(rate, "<purchaseMeasureUnitRate>0<"), "1", tooSmall("0")},
             {changed(rate, "<purchaseMeasureUnitRate>0.0004<"), "1", tooSmall("0.0004")}}) {
        const auto result = order(text, {"--pick", pick});
        expectFailureWith(result, refusal);
        EXPECT_EQ(result.out.find("Pozycja zamówienia"), std::string::npos) << result.out;
    }
    expectSuccess(order(changed("1.1<", "0<"), {"--pick", "2"}));  // a price may be zero
    expectFailureWith(run("order", {"variant", file("brak.xml"), "--pick", "1"}), "Nie można otworzyć pliku wariantów");
    expectFailureWith(run("order", {"variant", scratch_.path().string(), "--pick", "1"}),
                      "Nie można odczytać pliku wariantów " + scratch_.path().string() + ": ścieżka wskazuje katalog");
}

}  // namespace
