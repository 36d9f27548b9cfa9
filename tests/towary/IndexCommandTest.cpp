#include "tests/support/TowaryStore.h"

namespace {

// A store made by `towary init` (levels 2, 2, 2, 3, 3, articles 6), as a store manager starts.
class IndexCommand : public TestSupport::TowaryStore {};

// What makes an index wrong is the splitter's (tests/index).
TEST_F(IndexCommand, SplitLevelParentChildLengthLengthAndTheNextIndexes) {
    expectCases("index", {{{"split", "0102030040050"}, "Poziom 1 (Departament): segment 01, indeks 01\n"
                                                       "Poziom 2 (Sektor): segment 02, indeks 0102\n"
                                                       "Poziom 3 (Sekcja): segment 03, indeks 010203\n"
                                                       "Poziom 4 (Rodzina): segment 004, indeks 010203004\n"
                                                       "Poziom 5 (Podrodzina): segment 005, indeks 010203004005\n"
                                                       "Pominięto znaki za ostatnim poziomem: 0\n", 0},
                          {{"level", "010"}, "Poziom 2 (Sektor)\nUwaga: indeks grupy tego poziomu ma długość 4, podany ma "
                                             "długość 3\n", 0},
                          {{"level", "1"}, "Poziom 0 (brak): indeks krótszy niż indeks poziomu 1 (długość 2)\n", 0},
                          {{"parent", "0ż0ó"}, "0ż\n", 0},
                          {{"child-length", "010203"}, "9\n", 0},
                          {{"length", "4"}, "Poziom 4 (Rodzina)\nDługość segmentu: 3\nDługość indeksu grupy: 9\n", 0},
                          {{"length", "6"}, "Długość indeksu artykułu: 6\n", 0}});

    // Which indexes are free is the generators' and the store routine's (tests/index, tests/schema).
    exec("insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (1, '01', 1, null), (2, '0101', 2, null), "
         "(3, '0101', 6, '000001')");
    expectCases("index", {{{"next-group"}, "02\n", 0}, {{"next-group", "01"}, "0102\n", 0}, {{"next-article"}, "000002\n", 0}});
}

}  // namespace
