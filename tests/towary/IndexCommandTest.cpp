#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::RunResult;

// A store made by `towary init` (levels 2, 2, 2, 3, 3, articles 6), as a store manager starts.
class IndexCommand : public TestSupport::TowaryStore {
protected:
    RunResult index(std::vector<std::string> args) { return run("index", std::move(args)); }

    // Adds a row to the store's product table the way support staff would.
    void insert(const std::string& groupIndex, int code, const std::string& artIndex = "null") {
        exec("insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (newref, '" + groupIndex + "', " +
             std::to_string(code) + ", " + (artIndex == "null" ? artIndex : "'" + artIndex + "'") + ")");
    }
};

TEST_F(IndexCommand, SplitLevelParentChildLengthAndLength) {
    expectOutput(index({"split", "0102030040050"}),
                 "Poziom 1 (Departament): segment 01, indeks 01\n"
                 "Poziom 2 (Sektor): segment 02, indeks 0102\n"
                 "Poziom 3 (Sekcja): segment 03, indeks 010203\n"
                 "Poziom 4 (Rodzina): segment 004, indeks 010203004\n"
                 "Poziom 5 (Podrodzina): segment 005, indeks 010203004005\n"
                 "Pominięto znaki za ostatnim poziomem: 0\n");
    expectFailure(index({"split", "01020"}),
                  "Indeks 01020 jest błędny. Długość indeksu na poziomie 3 powinna wynosić 6 a wynosi 1");

    EXPECT_EQ(index({"level", "010"}).out,
              "Poziom 2 (Sektor)\nUwaga: indeks grupy tego poziomu ma długość 4, podany ma długość 3\n");
    EXPECT_EQ(index({"level", "1"}).out, "Poziom 0 (brak): indeks krótszy niż indeks poziomu 1 (długość 2)\n");
    EXPECT_EQ(index({"level", "0ż0ó"}).out, "Poziom 2 (Sektor)\n") << "a Polish letter is one character";

    EXPECT_EQ(index({"parent", "0ż0ó"}).out, "0ż\n");
    EXPECT_EQ(index({"child-length", "010203"}).out, "9\n");

    EXPECT_EQ(index({"length", "4"}).out, "Poziom 4 (Rodzina)\nDługość segmentu: 3\nDługość indeksu grupy: 9\n");
    EXPECT_EQ(index({"length", "6"}).out, "Długość indeksu artykułu: 6\n");
}

// Which indexes are free is the generators' and the store routine's (tests/index, tests/schema).
TEST_F(IndexCommand, NextGroupAndNextArticleSkipTheIndexesInUse) {
    insert("01", 1);
    insert("0101", 2);
    insert("0101", 6, "000001");
    EXPECT_EQ(index({"next-group"}).out, "02\n");
    EXPECT_EQ(index({"next-group", "01"}).out, "0102\n");
    EXPECT_EQ(index({"next-article"}).out, "000002\n");
}

}  // namespace
