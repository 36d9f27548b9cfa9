#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

namespace {

using TestSupport::RunResult;
using TestSupport::runTowary;

// A store made by `towary init` (levels 2, 2, 2, 3, 3, articles 6), as a store manager starts.
class IndexCommand : public TestSupport::TowaryStore {
protected:
    RunResult index(std::vector<std::string> args) { return run("index", std::move(args)); }

    void allLengthsTwo() {
        for (const char* level : {"Rodzina", "Podrodzina"})
            set(std::string("Parametry programu / Towary / Indeksy / ") + level, "2");
    }

    // Adds a row to the store's product table the way support staff would.
    void insert(const std::string& groupIndex, int code, const std::string& artIndex = "null") {
        const std::string values = "'" + groupIndex + "', " + std::to_string(code) + ", " +
                                   (artIndex == "null" ? artIndex : "'" + artIndex + "'");
        const auto result = runTowary({"sql", dir_,
                                       "insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (newref, " +
                                           values + ")"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }

};

TEST_F(IndexCommand, SplitShowsSegmentsAndAncestors) {
    const auto result = index({"split", "010203004005"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Poziom 1 (Departament): segment 01, indeks 01\n"
              "Poziom 2 (Sektor): segment 02, indeks 0102\n"
              "Poziom 3 (Sekcja): segment 03, indeks 010203\n"
              "Poziom 4 (Rodzina): segment 004, indeks 010203004\n"
              "Poziom 5 (Podrodzina): segment 005, indeks 010203004005\n");

    allLengthsTwo();
    EXPECT_EQ(index({"split", "0102"}).out,
              "Poziom 1 (Departament): segment 01, indeks 01\nPoziom 2 (Sektor): segment 02, indeks 0102\n");
    const auto longer = index({"split", "010203040506"}).out;
    EXPECT_EQ(longer.substr(longer.find("Poziom 5")),
              "Poziom 5 (Podrodzina): segment 05, indeks 0102030405\nPominięto znaki za ostatnim poziomem: 06\n");
    expectFailure(index({"split", "01020"}),
                  "Indeks 01020 jest błędny. Długość indeksu na poziomie 3 powinna wynosić 6 a wynosi 1");
}

TEST_F(IndexCommand, LevelParentAndChildLength) {
    EXPECT_EQ(index({"level", "0102"}).out, "Poziom 2 (Sektor)\n");
    EXPECT_EQ(index({"level", "010"}).out,
              "Poziom 2 (Sektor)\nUwaga: indeks grupy tego poziomu ma długość 4, podany ma długość 3\n");
    EXPECT_EQ(index({"level", "1"}).out, "Poziom 0 (brak): indeks krótszy niż indeks poziomu 1 (długość 2)\n");
    EXPECT_EQ(index({"level", "0102030040050"}).out,
              "Poziom 5 (Podrodzina)\nUwaga: indeks grupy tego poziomu ma długość 12, podany ma długość 13\n");

    EXPECT_EQ(index({"parent", "010203004"}).out, "010203\n");
    expectFailure(index({"parent", "01"}), "Błędy indeks grupy (01).");
    expectFailure(index({"parent", "010"}), "Błędy indeks grupy (010).");

    EXPECT_EQ(index({"child-length", "0102"}).out, "6\n");
    EXPECT_EQ(index({"child-length", "010203"}).out, "9\n");
    allLengthsTwo();
    expectFailure(index({"child-length", "010"}),
                  "Indeks 010 jest błędny. Struktura jest niezgodna z definicją znajdującą się w konfiguracji.");
    expectFailure(index({"child-length", "0102030405"}),
                  "Indeks 0102030405 jest błędny. Nie można pobrać długości indeksu następnego poziomu hierarchii "
                  "grup. Indeks jest indeksem ostatniego poziomu tej hierarchii.");
}

TEST_F(IndexCommand, LengthsOfAHierarchyCode) {
    EXPECT_EQ(index({"length", "4"}).out, "Poziom 4 (Rodzina)\nDługość segmentu: 3\nDługość indeksu grupy: 9\n");
    EXPECT_EQ(index({"length", "6"}).out, "Długość indeksu artykułu: 6\n");
    expectFailure(index({"length", "0"}), "Nieznany kod towaru (TowarCode = 0).");
    expectFailure(index({"length", "--", "-3"}), "Nieznany kod towaru (TowarCode = -3).");
    EXPECT_EQ(index({"length", "300"}).exitCode, 2) << "not a hierarchy code at all";

    set("Parametry programu / Towary / Indeksy / Sekcja", "dwa");
    expectFailure(index({"length", "3"}), "nie można rzutować wartości klucza\n"
                                          "Parametry programu / Towary / Indeksy / Sekcja\ntypu (std::string) na (int)");
}

TEST_F(IndexCommand, NextGroupUnderAParentAndNewDepartments) {
    EXPECT_EQ(index({"next-group"}).out, "01\n");
    insert("01", 1);
    insert("02", 1);
    insert("0101", 2);
    insert("0102", 2);
    insert("0104", 2);
    insert("0103", 6, "000001");
    EXPECT_EQ(index({"next-group"}).out, "03\n");
    EXPECT_EQ(index({"next-group", "01"}).out, "0103\n");
    EXPECT_EQ(index({"next-group", "02"}).out, "0201\n");
    EXPECT_EQ(index({"next-group", "0102"}).out, "010201\n");
    EXPECT_EQ(index({"next-group", "010201"}).out, "010201001\n");

    expectFailure(index({"next-group", "010"}), "Błędna długość indeksu grupy (010).");
    expectFailure(index({"next-group", "010203004005"}), "Błędna długość indeksu grupy (010203004005).");
    set("Parametry programu / Towary / Indeksy / Sektor", "1");
    for (int segment = 1; segment <= 9; ++segment) insert("02" + std::to_string(segment), 2);
    expectFailure(index({"next-group", "02"}), "Generator indeksów grup: przekroczony zakres.");
}

TEST_F(IndexCommand, NextArticleAndItsFailures) {
    EXPECT_EQ(index({"next-article"}).out, "000001\n");
    for (const char* artIndex : {"000001", "000002", "000004"}) insert("0101", 6, artIndex);
    EXPECT_EQ(index({"next-article"}).out, "000003\n");

    const std::string length =
        "Parametry programu / Struktura organizacyjna / Poziomy hierarchii / Punkt sprzedaży / Towary / Indeksy / "
        "Długość";
    set(length, "0");
    expectFailure(index({"next-article"}), "Funkcja getWolnyIndex nie zwróciła wartości.");
    set(length, "1");
    for (int number = 1; number <= 9; ++number) insert("0101", 6, std::to_string(number));
    expectFailure(index({"next-article"}), "Funkcja getWolnyIndex wygenerowała zbyt duży indeks towaru.");
}

TEST(DemoCommand, BuildsASampleHierarchyWithTheGenerators) {
    TestSupport::TempStore tmp;
    const std::string dir = (tmp.path() / "demo").string();
    const auto demo = runTowary({"demo", dir});
    EXPECT_EQ(demo.exitCode, 0) << demo.err;
    for (const char* line : {"\n  01  Spożywczy (Departament)\n", "\n          010101001001  Mleko UHT 2% (Podrodzina)\n",
                             "\n  02  Chemia (Departament)\n", "\n  000002  Mleko UHT 2% 0,5 l (grupa 010101001001)\n",
                             "\ntowary index next-article: 000003\n"})
        EXPECT_NE(demo.out.find(line), std::string::npos) << line << demo.out;

    EXPECT_NE(demo.out.find("== Hierarchia towarowa ==\n"), std::string::npos);
    EXPECT_EQ(runTowary({"index", "next-group", dir, "0101"}).out, "010102\n") << "the hierarchy stays in the store";
}

}  // namespace
