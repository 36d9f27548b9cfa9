// towary lists, towary stock and towary ordering on a store made by towary init.

#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ClassificationCommand : public TestSupport::TowaryStore {
protected:
    // `towary COMMAND DIR ARGS...`: these commands have no subcommand.
    TestSupport::RunResult command(const std::string& name, std::vector<std::string> args) const {
        args.insert(args.begin(), {name, dir_});
        return TestSupport::runTowary(args);
    }
};

TEST_F(ClassificationCommand, ListsPrintCodesAndLabels) {
    expectOutput(command("lists", {"bool-values"}), "bool-values:\n  0  nie\n  1  tak\n");
    expectOutput(command("lists", {"weight-types-with-none", "--tsv"}),
                 "weight-types-with-none\t\t<brak>\nweight-types-with-none\t1\ttowar lekki\n"
                 "weight-types-with-none\t2\ttowar ze zmienną wagą\nweight-types-with-none\t3\ttowar niemożliwy do "
                 "zważenia\nweight-types-with-none\t4\ttowar normalny\n");
    expectOutput(command("lists", {"ordering-methods", "--tsv"}),
                 "ordering-methods\t1\tZapas minimalny i maksymalny\nordering-methods\t2\tZapas docelowy\n");
    const auto all = command("lists", {"--tsv"});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_NE(all.out.find("measure-units\t13\tdsp\n"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("activity-statuses-with-all\t\t<wszystkie>\n"), std::string::npos);
    EXPECT_NE(all.out.find("product-types\t23\tPropozycja\n"), std::string::npos);
    ASSERT_EQ(sql("insert into DiscountReasonDict (lDiscountReasonDictRef, sValue) values (4, 'Zwrot\tz\r\nkasy \\ 2')")
                  .exitCode,
              0);
    expectOutput(command("lists", {"discount-reasons", "--tsv"}), "discount-reasons\t4\tZwrot\\tz\\r\\nkasy \\\\ 2\n");
    ASSERT_EQ(sql("insert into statusaktywnosci (nStatusAktywnosci, sNazwa) values (3000000000, 'Za duży')").exitCode, 0);
    // Nor are the lists before the one that fails printed.
    expectFailure(command("lists", {}),
                  "Wartość 3000000000 nie mieści się w zakresie typu int (kolumna nStatusAktywnosci).");
    const auto unknown = command("lists", {"kolory"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("Nie ma listy \"kolory\""), std::string::npos) << unknown.err;
}

TEST_F(ClassificationCommand, StockPrintsTheThreeQuantities) {
    for (const char* statement : {
             "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (100, 'Mąka', '01', "
             "'000100', 6), (5, 'Spożywcze', '01', null, 1)",
             "insert into stn (lTowarRef, data, dStan) values (100, 40000, 4), (100, 40001, 12.5)",
             "insert into Dok (lDokRef, nTyp, nStatusPrzetw, nStatusKsieg) values (10, 32, 1, 0), (11, 20, 0, 3)",
             "insert into DokPoz (lDokPozRef, lDokRef, lTowarRef, dIlosc) values (1, 10, 100, 3), (2, 11, 100, 1.5)",
             "insert into Reklamacja (lReklamacjaRef, lTowarRef, nWlasnosc, nMiejscePobytu) values (1, 100, 1, 1)",
         })
        ASSERT_EQ(sql(statement).exitCode, 0) << statement;
    expectOutput(command("stock", {"100"}), "Stan: 12.5\nZarezerwowano: 4.5\nW serwisie: 1\n");
    expectOutput(command("stock", {"/000100", "--exclude-document", "10"}), "Stan: 12.5\nZarezerwowano: 1.5\nW serwisie: 1\n");
    // No "Stan:" without its number. Only a store in a file can hold a text in a number's column.
    if (!TestSupport::onServer()) {
        ASSERT_EQ(sql("insert into stn (lTowarRef, data, dStan) values (100, 40002, 'dużo')").exitCode, 0);
        expectFailure(command("stock", {"100"}), "Wartość \"dużo\" nie jest liczbą (kolumna dStan).");
    }
    expectFailure(command("stock", {"5"}), "Wiersz \"5\" (Spożywcze) nie jest towarem: stan ma tylko towar, nie grupa.");
    expectBadUsage(command("stock", {"100", "--exclude-document", "x"}), "Identyfikator dokumentu \"x\"");
}

TEST_F(ClassificationCommand, OrderingShowsTheOfferedMethodsAndTheirStockLevels) {
    expectOutput(command("ordering", {}),
                 "1\tZapas minimalny i maksymalny\tpoziomy zapasu: 1, 2\n2\tZapas docelowy\tpoziomy zapasu: 3\n");
    set("Parametry programu / Zamówienia / Dostępne algorytmy zamawiania / Ręcznie", "5");
    const auto three = command("ordering", {});
    EXPECT_EQ(three.exitCode, 0) << three.err;
    EXPECT_NE(three.out.find("5\tRęcznie\tpoziomy zapasu: brak\n"), std::string::npos) << three.out;
}

}  // namespace
