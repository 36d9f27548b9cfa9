#include "Core/System/Sysutils.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "tests/index/IndexFixture.h"
#include "tests/support/SettingsFile.h"

#include <tuple>

using namespace Towar;

namespace {

TowarCode code(int value) { return static_cast<TowarCode>(value); }

std::string unknown(int value) { return "Nieznany kod towaru (TowarCode = " + std::to_string(value) + ")."; }

TEST_F(IndexFixture, HierarchyLevelsLengthsNamesNeighboursAndTheLevelOfAnIndexFromSettingsReadAtEveryCall) {
    std::string levels;
    for (int k = 1; k <= 5; ++k)
        levels += getHierarchyLevelDisplayName(code(k)) + " " + std::to_string(getFullIndexLength(code(k))) + ", ";
    EXPECT_EQ(levels, "Departament 2, Sektor 4, Sekcja 6, Rodzina 9, Podrodzina 12, ");
    EXPECT_EQ(getIndexLength(tcTowar), 6);
    EXPECT_EQ(failure<Sysutils::Exception>([] { getHierarchyLevelDisplayName(code(7)); }), unknown(7));
    EXPECT_EQ(failure<Sysutils::Exception>([] { getFullIndexLength(tcTowar); }), unknown(6))
        << "the article level has no full length";
    settings({.lengths = {3, 1, 0, 4, 2}});
    EXPECT_EQ(getHierarchyIndexSubStringValues(),
              (std::vector<std::string>{"1, 3", "4, 1", "5, 0", "5, 4", "9, 2"}));

    // The level of an index is the lowest level reaching its length.
    settings({});
    for (const auto& [index, expected] : std::initializer_list<std::pair<std::string, TowarCode>>{
             {"1", tcBrak}, {"12", tcDepartament}, {"123", tcSektor}, {"12345", tcSekcja}, {"123456789", tcRodzina},
             {std::string(40, '1'), tcPodrodzina}})
        EXPECT_EQ(getTowarCodefromIndex(index), expected) << index;

    settings({.lengths = {2, 2, 2, 3, 0}});
    EXPECT_EQ(getTowarCodefromIndex("123456789"), tcRodzina) << "the first level reaching 9 characters";
    EXPECT_EQ(getTowarCodefromIndex(std::string(30, '1')), tcPodrodzina) << "a last level of length 0 ends the walk";
    settings({.lengths = {2, 0, 2, 3, 3}});
    EXPECT_EQ(getTowarCodefromIndex("123"), tcSekcja) << "a level of length 0 is passed over";
    EXPECT_EQ(previousIndexLength("01"), 2) << "F(2) = F(1): the first comparison wins";

    // Neighbours and the parent's length stop at the ends of the hierarchy.
    settings({});
    // A code, the next one and the previous one.
    const std::tuple<int, int, int> neighbours[] = {{0, 1, 0}, {1, 2, 0}, {5, 0, 4}, {6, 0, 5}, {-1, 0, 0}, {7, 0, 0}};
    for (const auto& [from, next, previous] : neighbours) {
        EXPECT_EQ(getNextTowarCode(code(from)), code(next)) << from;
        EXPECT_EQ(getPrevTowarCode(code(from)), code(previous)) << from;
    }

    EXPECT_EQ(previousIndexLength("010203004005"), 9);
    EXPECT_EQ(previousIndexLength("0ż0ó"), 2) << "a Polish letter is one character of an index";
    EXPECT_EQ(getTowarCodefromIndex("0ż0ó"), tcSektor) << "a Polish letter is one character of an index";
    for (const std::string index : {"01", "0102030040050"})
        EXPECT_EQ(failure<std::runtime_error>([&index] { previousIndexLength(index); }),
                  "Błędy indeks grupy (" + index + ").");

    // Settings are read at every call and never defaulted.
    EXPECT_EQ(getIndexPrefix(), "");
    settings({.prefix = true, .site = "S17"});
    EXPECT_EQ(getIndexPrefix(), "S17_");
    TestSupport::setSetting({"Parametry programu", "Sklep", "Identyfikator"}, 17);
    EXPECT_THROW(getIndexPrefix(), std::logic_error) << "an identifier that is no text";

    TestSupport::writeIndexSettings();
    TestSupport::setSetting({"Parametry programu", "Towary", "Indeksy", "Sektor"}, 5);
    EXPECT_EQ(getTowarCodefromIndex("1234567"), tcSektor);
    TestSupport::setSetting({"Parametry programu", "Towary", "Indeksy", "Rodzina"}, "trzy");
    EXPECT_EQ(getFullIndexLength(tcSekcja), 9) << "reads only the levels it needs";
    EXPECT_THROW(getFullIndexLength(tcRodzina), std::logic_error);

    TestSupport::removeSettingsFile();
    EXPECT_THROW(getIndexLength(tcTowar), std::exception) << "no settings file";
}

}  // namespace
