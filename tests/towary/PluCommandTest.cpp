#include "tests/support/TowaryStore.h"

namespace {

using PluCommand = TestSupport::TowaryStore;

TEST_F(PluCommand, CanonicalPrintsEachCodeAndCheckRepairsTheRefusedOnesOnlyWithYes) {
    expectOutput(run("plu", {"canonical", "036000291452", "0017", "2800017000005"}),
                 "\"036000291452\" -> 0036000291452 (C: kod artykułu)\n\"0017\" -> 17 (G: krótki kod sklepu)\n"
                 "\"2800017000005\" -> 2800017000004 (W: towar ważony)\n");
    expectResult(run("plu", {"canonical", "5901234123457", "12a4"}),
                 {1, "\"5901234123457\" -> 5901234123457 (C: kod artykułu)\n",
                  "towary: Kod PLU \"12a4\" zawiera znaki inne niż cyfry.\ntowary: Nie rozpoznano kodów: 1 z 2.\n"});
    expectBadUsage(run("plu", {"canonical"}), "CODE");

    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen) values (1, 'Mleko', '01', '000001', 6, 0)",
         "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (10, '0017', 1, 1)");
    const std::string report = "== Nieprawidłowe plu ==\nPoniższe towary mają nieprawidłowe plu\n\nPLU do poprawienia:\n0017 "
                               "(powinno być: 17) Mleko 000001\nPodsumowanie: \n do poprawienia - 1\n\nCzy chcesz usunąć lub "
                               "poprawić wszystkie błędne kody ? ";
    expectCases("plu", {{{"check", "--no"}, report + "[nie]\n", 0}, {{"check", "--yes"}, report + "[tak]\n", 0}});
    expectOutput(sql("select sPLU, byStatus from plu"), "sPLU\tbyStatus\n17\t1\n");
    expectError(run("plu", {"check"}), "Ostrzeżenie: Nie znaleziono błędnych kodów plu.\n", 0);

}

}  // namespace
