#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"
#include "tests/index/IndexFixture.h"
#include "tests/support/SettingsFile.h"

using Towar::GroupIndexSplitter;
using Parts = GroupIndexSplitter::Parts;

namespace {

TEST_F(IndexFixture, SplitterSegmentsAncestorsAndNextLevelLengthsFollowTheLevelsInOrderReadOnceCountingCharacters) {
    settings({.lengths = {2, 2, 2, 2, 2}});
    const GroupIndexSplitter splitter;
    EXPECT_EQ(splitter.split("010203040506"), (Parts{"01", "02", "03", "04", "05"})) << "past level 5 is ignored";
    EXPECT_EQ(splitter.incSplit("010203040506"), (Parts{"01", "0102", "010203", "01020304", "0102030405"}));
    Parts out{"stale"};

    EXPECT_EQ(failure<std::runtime_error>([&] { splitter.incSplit("01020"); }),
              "Indeks 01020 jest błędny. Długość indeksu na poziomie 3 powinna wynosić 6 a wynosi 5");
    EXPECT_FALSE(splitter.split("01020", out));
    EXPECT_EQ(out, (Parts{"01", "02", "0"})) << "what was cut, the failing segment included";
    EXPECT_EQ(splitter.split("0102"), (Parts{"01", "02"})) << "a failure leaves the splitter as it was";

    // Lengths count characters, so a letter is never cut.
    EXPECT_EQ(splitter.split("ąbćdęf"), (Parts{"ąb", "ćd", "ęf"}));
    EXPECT_EQ(failure<std::runtime_error>([&] { splitter.incSplit("ąbćdę"); }),
              "Indeks ąbćdę jest błędny. Długość indeksu na poziomie 3 powinna wynosić 6 a wynosi 5");
    EXPECT_EQ(splitter.nextLevelLength("żó"), 4u);

    // The next level's length, and its two failures.
    EXPECT_EQ(splitter.nextLevelLength("01020304"), 10u);
    EXPECT_EQ(failure<std::runtime_error>([&] { splitter.nextLevelLength("010203040506"); }),
              "Indeks 010203040506 jest błędny. Struktura jest niezgodna z definicją znajdującą się w konfiguracji.");
    EXPECT_EQ(failure<std::runtime_error>([&] { splitter.nextLevelLength("0102030405"); }),
              "Indeks 0102030405 jest błędny. Nie można pobrać długości indeksu następnego poziomu hierarchii grup. "
              "Indeks jest indeksem ostatniego poziomu tej hierarchii.");
    unsigned int length = 7;
    EXPECT_FALSE(splitter.nextLevelLength("0102030405", length));

    settings({.lengths = {0, 0, 0, 0, 0}});
    EXPECT_EQ(failure<std::runtime_error>([] { GroupIndexSplitter().nextLevelLength("1"); }), "Indeks 1 jest błędny.")
        << "no levels: no reason to add";

    // The levels follow the hierarchy's order and are read once.
    settings({.lengths = {2, 2, 2, 3, 3}});
    const GroupIndexSplitter ordered;
    EXPECT_EQ(ordered.incSplit("010203004005"), (Parts{"01", "0102", "010203", "010203004", "010203004005"}));
    EXPECT_EQ(ordered.nextLevelLength("010203"), 9u);
    settings({.lengths = {3, 2, 2, 3, 3}});
    EXPECT_EQ(ordered.split("0102"), (Parts{"01", "02"})) << "an existing splitter keeps its lengths";
    EXPECT_EQ(GroupIndexSplitter().split("00102"), (Parts{"001", "02"}));

    TestSupport::setSetting({"Parametry programu", "Towary", "Indeksy", "Sekcja"}, "dwa");
    EXPECT_THROW(GroupIndexSplitter(), std::logic_error) << "a length that is no number";
}

}  // namespace
