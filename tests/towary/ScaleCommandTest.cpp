#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ScaleCommand : public TestSupport::TowaryStore {
protected:
    ScaleCommand() {
        EXPECT_EQ(
            sql("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values"
                " (100, 'Schab', '01', '000100', 6), (101, 'Boczek', '01', '000101', 6), (5, 'Mięso', '01', null, 1)")
                .exitCode,
            0);
        set("Parametry sklepu / Towary / Sekcje wagowe / Maksymalna liczba towarów w sekcji", "99");
    }
};

TEST_F(ScaleCommand, SectionsProposalAndStoringANumberAsTheProductFormDoes) {
    expectOutput(run("scale", {"sections"}),
                 "1 Mięso\n2 Wędliny\n3 Sery\n4 Ryby\n5 Warzywa\n6 Owoce\n7 Pieczywo\n8 Słodycze\n9 Inne\n");

    expectOutput(run("scale", {"propose", "2"}), "1\n");
    expectOutput(run("scale", {"propose", "0"}), "0\n");
    expectFailure(run("scale", {"propose", "10"}),
                  "Sekcja wagowa 10 poza zakresem: sekcje mają numery od 1 do 9 (0: bez sekcji).");

    expectOutput(run("scale", {"set", "100", "2", "1"}), "Towar 100 (Schab): sekcja 2, numer 1.\n");
    expectOutput(run("scale", {"propose", "2"}), "2\n");
    expectOutput(run("scale", {"check", "2", "1", "--product", "/000100"}), "Numer wagowy można zapisać.\n");
    expectFailure(run("scale", {"set", "101", "2", "1"}),
                  "Numer wagowy: Numer wagowy w podanej sekcji jest powtórzony. Podaj inny numer.");
    expectFailure(run("scale", {"check", "2", "100"}),
                  "Numer wagowy: Błędna wartość numeru wagowego.\nMożliwy zakres wartości to 1 - 99");
    expectFailure(run("scale", {"check", "2", ""}), "Numer wagowy: Brak numeru wagowego.");
    expectFailure(run("scale", {"check", "2", "1x"}), "\"1x\" nie jest poprawną liczbą całkowitą.");
    expectOutput(run("scale", {"check", "0", "1x"}), "Numer wagowy można zapisać.\n");
    expectFailure(run("scale", {"set", "5", "2", "3"}),
                  "Wiersz \"5\" (Mięso) nie jest towarem: numer wagowy dostaje tylko towar, nie grupa.");
    expectOutput(run("scale", {"set", "/000100", "0", ""}), "Towar 100 (Schab): bez sekcji i numeru wagowego.\n");
    expectOutput(sql("select nWagaSekcja, nWagaPLU from towar where lTowarRef = 100"),
                 "nWagaSekcja\tnWagaPLU\nNULL\tNULL\n");

    set("Parametry sklepu / Towary / Sekcje wagowe / Maksymalna liczba towarów w sekcji", "1");
    expectOutput(run("scale", {"set", "101", "2", "1"}), "Towar 101 (Boczek): sekcja 2, numer 1.\n");
    expectFailure(run("scale", {"propose", "2"}),
                  "Pierwszy wolny numer w sekcji 2 to 2, więcej niż największy numer sekcji w ustawieniach sklepu.");
    expectBadUsage(run("scale", {"propose", "x"}), "Sekcja wagowa \"x\" nie jest liczbą całkowitą.");
}

}  // namespace
