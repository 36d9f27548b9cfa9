#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string kVariants = R"(<?xml version="1.0" encoding="UTF-8"?>
<variants>
  <variant>
    <supplierIndex>HB-1200</supplierIndex>
    <netPurchasePrice>12.5</netPurchasePrice>
    <catalogNetPurchasePrice>14.0000</catalogNetPurchasePrice>
    <logisticMinimum>24</logisticMinimum>
    <clearanceSale>true</clearanceSale>
    <purchaseMeasureUnit>kar</purchaseMeasureUnit>
    <purchaseMeasureUnitRate>12</purchaseMeasureUnitRate>
  </variant>
  <variant>
    <netPurchasePrice>1.1</netPurchasePrice>
    <catalogNetPurchasePrice>1.25</catalogNetPurchasePrice>
    <purchaseMeasureUnit>sztuka</purchaseMeasureUnit>
    <purchaseMeasureUnitRate>1</purchaseMeasureUnitRate>
  </variant>
</variants>
)";

// The grid of the two variants as the terminal prints it.
const std::string kGrid =
    "== Warianty ==\n"
    "   | Indeks towaru dostawcy | Cena zakupu | Katalogowa  | Minimum     | Wyprzedaż | Jednostka  | Liczba jm. sprzedaży\n"
    "   |                        | netto       | cena zakupu | logistyczne |           | zamówienia | w jm. zamawienia\n"
    "---+------------------------+-------------+-------------+-------------+-----------+------------+---------------------\n"
    " 1 | HB-1200                |     12.5000 |     14.0000 |      24.000 |     ✓     | kar        |               12.000\n"
    " 2 |                        |      1.1000 |      1.2500 |             |           | sztuka     |                1.000\n";

class OrderCommand : public TestSupport::TowaryStore {
protected:
    std::string file(const std::string& text) {
        const auto path = scratch_.path() / "warianty.xml";
        std::ofstream(path) << text;
        return path.string();
    }
    // The command failed with a message holding the text.
    static void expectRefusal(const TestSupport::RunResult& result, const std::string& text) {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
        EXPECT_EQ(result.out.find("Pozycja zamówienia"), std::string::npos) << result.out;
    }
};

TEST_F(OrderCommand, ShowsTheGridAndFillsThePositionFromThePickedVariant) {
    const auto variants = file(kVariants);
    expectOutput(run("order", {"variant", variants, "--pick", "1"}),
                 kGrid + "Wybrany wiersz: 1\n"
                         "Pozycja zamówienia z wariantu 1:\n"
                         "  Cena zakupu netto:                      12.5000\n"
                         "  Cena zakupu w walucie:                  12.5000\n"
                         "  Cena zakupu przed rabatem:              14.0000\n"
                         "  Jednostka zamówienia:                   kar (karton, kod 5)\n"
                         "  Liczba jm. sprzedaży w jm. zamówienia:  12.000\n"
                         "  Minimum logistyczne:                    24.000\n"
                         "  Indeks towaru dostawcy:                 HB-1200\n"
                         "  Wyprzedaż:                              tak\n");
    const auto second = run("order", {"variant", variants, "--pick", "2"});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(second.out.find("  Cena zakupu netto:                      1.1000\n"
                              "  Cena zakupu w walucie:                  1.1000\n"),
              std::string::npos)
        << second.out;
    EXPECT_NE(second.out.find("  Jednostka zamówienia:                   szt (sztuka, kod 1)\n"), std::string::npos);
    EXPECT_NE(second.out.find("  Minimum logistyczne:                    brak\n"
                              "  Indeks towaru dostawcy:                 brak\n"
                              "  Wyprzedaż:                              nie\n"),
              std::string::npos);

    const auto asked = run("order", {"variant", variants});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_EQ(asked.err, "towary: Wybór wiersza tabeli \"Warianty\" bez odpowiedzi. Uruchom polecenie w terminalu "
                         "albo podaj --pick N.\n");
    const auto beyond = run("order", {"variant", variants, "--pick", "3"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_EQ(beyond.err, "towary: Nie ma wiersza 3 w tabeli \"Warianty\": wiersze mają numery od 1 do 2.\n");
}

TEST_F(OrderCommand, FilesThatAreNotVariantsAreRefusedNamingWhatIsWrong) {
    expectRefusal(run("order", {"variant", file("<variants><variant>")}),
                  ": Niepoprawny dokument XML (znak 19): znacznik zamykający nie pasuje do otwierającego.");
    expectRefusal(run("order", {"variant", file("<variants/>"), "--pick", "1"}),
                  "nie zawiera żadnego wariantu (elementu <variant> pod elementem głównym).");
    expectRefusal(run("order", {"variant", file("<v><variant><netPurchasePrice>1</netPurchasePrice></variant></v>"),
                                "--pick", "1"}),
                  "Wariant 1: brak elementu \"catalogNetPurchasePrice\".");
    std::string badPrice = kVariants;
    badPrice.replace(badPrice.find("1.1<"), 3, "1,1");
    expectRefusal(run("order", {"variant", file(badPrice), "--pick", "1"}),
                  "Wariant 2: element \"netPurchasePrice\" ma wartość \"1,1\", a powinien zawierać liczbę (z kropką "
                  "dziesiętną).");
    std::string hugeRate = kVariants;
    hugeRate.replace(hugeRate.find("<purchaseMeasureUnitRate>") + 25, 2, "1e30");
    expectRefusal(run("order", {"variant", file(hugeRate), "--pick", "1"}),
                  "Wariant 1: element \"purchaseMeasureUnitRate\": Kwota ");
    std::string freePrice = kVariants;
    freePrice.replace(freePrice.find("1.1<"), 3, "0");
    EXPECT_EQ(run("order", {"variant", file(freePrice), "--pick", "2"}).exitCode, 0) << "a price may be zero";
    std::string negativePrice = kVariants;
    negativePrice.replace(negativePrice.find("1.1<"), 3, "-1.1");
    expectRefusal(run("order", {"variant", file(negativePrice), "--pick", "2"}),
                  "Wariant 2: element \"netPurchasePrice\" ma wartość \"-1.1\", a powinien zawierać liczbę nieujemną.");
    std::string negativeMinimum = kVariants;
    negativeMinimum.replace(negativeMinimum.find(">24<"), 4, ">-24<");
    expectRefusal(run("order", {"variant", file(negativeMinimum), "--pick", "1"}),
                  "Wariant 1: element \"logisticMinimum\" ma wartość \"-24\", a powinien zawierać liczbę nieujemną.");
    for (const std::string rate : {"0", "0.0004", "-12"}) {
        std::string emptyUnit = kVariants;
        emptyUnit.replace(emptyUnit.find("<purchaseMeasureUnitRate>") + 25, 2, rate);
        expectRefusal(run("order", {"variant", file(emptyUnit), "--pick", "1"}),
                      "Wariant 1: element \"purchaseMeasureUnitRate\" ma wartość \"" + rate +
                          "\", a powinien zawierać liczbę nie mniejszą niż 0.001.");
    }
    std::string unknownUnit = kVariants;
    unknownUnit.replace(unknownUnit.find(">kar<"), 5, ">skrzynka<");
    expectRefusal(run("order", {"variant", file(unknownUnit), "--pick", "1"}),
                  "Wariant 1: element \"purchaseMeasureUnit\": Brak jednostki miary \"skrzynka\" na liście jednostek "
                  "sklepu (są: szt, ltr, kg, but, kar, pal, op, mb, m2, m3, kpl, zgr, dsp).");
    expectRefusal(run("order", {"variant", (scratch_.path() / "brak.xml").string(), "--pick", "1"}),
                  "Nie można otworzyć pliku wariantów");
    expectRefusal(run("order", {"variant", scratch_.path().string(), "--pick", "1"}),
                  "Nie można odczytać pliku wariantów " + scratch_.path().string() + ": ścieżka wskazuje katalog");
}

}  // namespace
