#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"
#include "Core/System/Sysutils.h"
#include "Modules/Towary/Tools/index/DataSetHelpers.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "tests/index/IndexFixture.h"

using namespace Towar;

namespace {

using HierarchyLevels = IndexFixture;

TowarCode code(int value) { return static_cast<TowarCode>(value); }

std::string unknown(int value) { return "Nieznany kod towaru (TowarCode = " + std::to_string(value) + ")."; }

TEST_F(HierarchyLevels, LengthsAndNamesOfTheLevelsAndTheArticle) {
    const int lengths[] = {2, 2, 2, 3, 3};
    const int full[] = {2, 4, 6, 9, 12};
    const char* names[] = {"Departament", "Sektor", "Sekcja", "Rodzina", "Podrodzina"};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(getIndexLength(code(k)), lengths[k - 1]) << k;
        EXPECT_EQ(getFullIndexLength(code(k)), full[k - 1]) << k;
        EXPECT_EQ(getHierarchyLevelDisplayName(code(k)), names[k - 1]) << k;
    }
    EXPECT_EQ(getIndexLength(tcTowar), 6);

    for (int value : {0, 7, -1, 127}) {
        EXPECT_EQ(failure<Sysutils::Exception>([value] { getIndexLength(code(value)); }), unknown(value));
        EXPECT_EQ(failure<Sysutils::Exception>([value] { getFullIndexLength(code(value)); }), unknown(value));
        EXPECT_EQ(failure<Sysutils::Exception>([value] { getHierarchyLevelDisplayName(code(value)); }), unknown(value));
    }
    EXPECT_EQ(failure<Sysutils::Exception>([] { getFullIndexLength(tcTowar); }), unknown(6))
        << "the article level has no full length";
    EXPECT_EQ(failure<Sysutils::Exception>([] { getHierarchyLevelDisplayName(tcTowar); }), unknown(6));
}

TEST_F(HierarchyLevels, SubstringArgumentsCutEachLevelsSegment) {
    EXPECT_EQ(getHierarchyIndexSubStringValues(),
              (std::vector<std::string>{"1, 2", "3, 2", "5, 2", "7, 3", "10, 3"}));
    settings({.lengths = {3, 1, 0, 4, 2}});
    EXPECT_EQ(getHierarchyIndexSubStringValues(),
              (std::vector<std::string>{"1, 3", "4, 1", "5, 0", "5, 4", "9, 2"}));
}

TEST_F(HierarchyLevels, LevelOfAnIndexIsTheLowestLevelReachingItsLength) {
    const std::pair<std::string, TowarCode> cases[] = {
        {"", tcBrak},           {"1", tcBrak},         {"12", tcDepartament},          {"123", tcSektor},
        {"1234", tcSektor},     {"12345", tcSekcja},   {"1234567", tcRodzina},         {"123456789", tcRodzina},
        {"1234567890", tcPodrodzina}, {"123456789012", tcPodrodzina}, {std::string(40, '1'), tcPodrodzina},
    };
    for (const auto& [index, expected] : cases) EXPECT_EQ(getTowarCodefromIndex(index), expected) << index;

    settings({.lengths = {2, 2, 2, 3, 0}});
    EXPECT_EQ(getTowarCodefromIndex("123456789"), tcRodzina) << "the first level reaching 9 characters";
    EXPECT_EQ(getTowarCodefromIndex(std::string(30, '1')), tcPodrodzina) << "a last level of length 0 ends the walk";
    settings({.lengths = {2, 0, 2, 3, 3}});
    EXPECT_EQ(getTowarCodefromIndex("12"), tcDepartament);
    EXPECT_EQ(getTowarCodefromIndex("123"), tcSekcja) << "a level of length 0 is passed over";
}

TEST_F(HierarchyLevels, NeighboursStopAtTheEndsOfTheHierarchy) {
    const std::pair<int, int> next[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 0}, {6, 0}, {7, 0}, {-1, 0}};
    for (const auto& [from, to] : next) EXPECT_EQ(getNextTowarCode(code(from)), code(to)) << from;
    const std::pair<int, int> prev[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 0}, {-1, 0}};
    for (const auto& [from, to] : prev) EXPECT_EQ(getPrevTowarCode(code(from)), code(to)) << from;
}

TEST_F(HierarchyLevels, PreviousIndexLengthIsTheParentsLength) {
    EXPECT_EQ(previousIndexLength("0102"), 2);
    EXPECT_EQ(previousIndexLength("010203"), 4);
    EXPECT_EQ(previousIndexLength("010203004"), 6);
    EXPECT_EQ(previousIndexLength("010203004005"), 9);
    for (const std::string index : {"01", "", "010", "0102030040050"})
        EXPECT_EQ(failure<std::runtime_error>([&index] { previousIndexLength(index); }),
                  "Błędy indeks grupy (" + index + ").");

    settings({.lengths = {2, 0, 2, 3, 3}});
    EXPECT_EQ(previousIndexLength("01"), 2) << "F(2) = F(1): the first comparison wins";
    EXPECT_EQ(previousIndexLength("0102"), 2);
}

TEST_F(HierarchyLevels, PrefixIsTheSiteIdentifierWhenTheStorePrefixesIndexes) {
    EXPECT_EQ(getIndexPrefix(), "");
    settings({.prefix = true, .site = "S17"});
    EXPECT_EQ(getIndexPrefix(), "S17_");

    const auto file = Core::Store::settingsFile();
    Core::Setup::writeSetting(file, {"Parametry programu", "Sklep", "Identyfikator"}, 17);
    EXPECT_EQ(failure<std::logic_error>([] { getIndexPrefix(); }),
              "nie można rzutować wartości klucza\nParametry programu / Sklep / Identyfikator\ntypu (int) na "
              "(std::string)");
}

TEST_F(HierarchyLevels, SettingsAreReadAtEveryCallAndNeverDefaulted) {
    const auto file = Core::Store::settingsFile();
    Core::Setup::writeSetting(file, {"Parametry programu", "Towary", "Indeksy", "Sektor"}, 5);
    EXPECT_EQ(getFullIndexLength(tcSekcja), 9);
    EXPECT_EQ(getTowarCodefromIndex("1234567"), tcSektor);

    TestSupport::writeIndexSettings();
    Core::Setup::writeSetting(file, {"Parametry programu", "Towary", "Indeksy", "Rodzina"}, "trzy");
    EXPECT_EQ(getFullIndexLength(tcSekcja), 6) << "reads only the levels it needs";
    EXPECT_EQ(failure<std::logic_error>([] { getFullIndexLength(tcRodzina); }),
              "nie można rzutować wartości klucza\nParametry programu / Towary / Indeksy / Rodzina\ntypu "
              "(std::string) na (int)");

    std::filesystem::remove(file);
    EXPECT_NE(failure([] { getIndexLength(tcTowar); }).find("Brak pliku ustawień"), std::string::npos);
}

// A form's dataset as the forms report it.
class FormDataSet : public Db::TDataSet {
public:
    FormDataSet(Db::TDataSetState state, bool empty) : state_(state), empty_(empty) {}
    Db::TDataSetState State() const override { return state_; }
    bool IsEmpty() const override { return empty_; }
    // The helpers ask for the state only, never for records.
    void First() override {}
    void Next() override {}
    bool Eof() const override { return true; }
    DBKernel::Sql::ConstField FieldByName(std::string_view column) const override { return {std::string(column), {}}; }
    Db::TBookmark GetBookmark() const override { return {}; }
    bool BookmarkValid(const Db::TBookmark&) const override { return false; }
    void GotoBookmark(const Db::TBookmark&) override {}

private:
    Db::TDataSetState state_;
    bool empty_;
};

TEST(DataSetHelpers, EditableWhileEditingOrInsertingEmptyWithoutRecords) {
    FormDataSet browsed(Db::dsBrowse, false), edited(Db::dsEdit, false), inserted(Db::dsInsert, true),
        closed(Db::dsInactive, true);
    EXPECT_FALSE(isDataSetEditable(&browsed));
    EXPECT_TRUE(isDataSetEditable(&edited));
    EXPECT_TRUE(isDataSetEditable(&inserted));
    EXPECT_FALSE(isDataSetEditable(&closed));
    EXPECT_FALSE(isDataSetEditable(nullptr));
    EXPECT_FALSE(isEmpty(&browsed));
    EXPECT_TRUE(isEmpty(&inserted));
    EXPECT_TRUE(isEmpty(nullptr));
}

}  // namespace
