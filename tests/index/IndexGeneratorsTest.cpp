#include "Core/System/Sysutils.h"
#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"
#include "Modules/Towary/Tools/index/TowarFunkcje.h"
#include "tests/index/IndexFixture.h"
#include "tests/support/StoreRows.h"

using namespace Towar;

namespace {

// A store database holding groups and products, rows written as the product forms write them.
class Generators : public IndexFixture {
protected:
    Generators() : IndexFixture(TestSupport::TempStore::withDatabase) {}

    void add(const std::string& groupIndex, int code, const std::string& artIndex = "") {
        TestSupport::exec(session_, "insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (newref, '" +
                                        groupIndex + "', " + std::to_string(code) + ", '" + artIndex + "')");
    }
    void addGroups(const std::string& parent, int code, std::initializer_list<const char*> segments) {
        for (const char* segment : segments) add(parent + segment, code);
    }

    std::string nextGroup(const std::string& parent) { return GroupIndexGenerator::instance().genIndex(parent, session_); }
    std::string nextArticle(int start) { return ArtIndexGenerator::instance().genIndex(session_, start); }

    TSessionHolder session_;
};

TEST_F(Generators, FirstFreeChildSegmentTheOlderGeneratorFollowingTheSmallestFullLevelsAndArticles) {
    EXPECT_EQ(TowarFunkcje::genNewGrIndex(tcDepartament, ""), "01");

    addGroups("02", tcSektor, {"03", "04"});
    EXPECT_EQ(nextGroup("02"), "0201") << "the first free segment from 1";
    EXPECT_EQ(TowarFunkcje::genNewGrIndex(tcSektor, "02"), "0205");
    add("0101", tcTowar, "000001");   // a product in group 0101 is no child group
    add("010101", tcSekcja);           // a grandchild
    add("010a", tcSektor);             // a segment that is not a number
    add("0102", tcSektor);
    EXPECT_EQ(nextGroup("01"), "0101");
    EXPECT_EQ(TowarFunkcje::genNewGrIndex(tcSektor, "01"), "0103");
    addGroups("04", tcSektor, {"00", "01"});
    EXPECT_EQ(nextGroup("04"), "0403") << "a segment 0 shifts the candidate by one";

    addGroups("010203", tcRodzina, {"001", "002"});
    EXPECT_EQ(nextGroup("010203"), "010203003") << "segments of the family level are three digits long";

    addGroups("0ż", tcSektor, {"01", "02"});
    add("0ż0ó", tcSektor);
    EXPECT_EQ(nextGroup("0ż"), "0ż03") << "the parent's length and its children's segments count characters";
    EXPECT_EQ(TowarFunkcje::genNewGrIndex(tcSektor, "0ż"), "0ż03");

    // A full level is a range error for the one and a longer segment for the other.
    settings({.lengths = {2, 2, 2, 2, 2}});
    for (int segment = 1; segment <= 99; ++segment)
        add("05" + std::string(segment < 10 ? "0" : "") + std::to_string(segment), tcSektor);
    EXPECT_EQ(failure<std::runtime_error>([this] { nextGroup("05"); }),
              "Generator indeksów grup: przekroczony zakres.");
    EXPECT_EQ(TowarFunkcje::genNewGrIndex(tcSektor, "05"), "05100");

    EXPECT_EQ(nextGroup("0'"), "0'01") << "a quote in a parent typed by a user stays text";
    for (const std::string parent : {"0", "0102030405"})
        EXPECT_EQ(failure<std::runtime_error>([&] { nextGroup(parent); }),
                  "Błędna długość indeksu grupy (" + parent + ").");
    settings({.lengths = {2, 2, 2, 3, 0}});
    EXPECT_EQ(failure<std::runtime_error>([this] { nextGroup("010203004"); }),
              "Generator indeksów grup: przekroczony zakres.")
        << "F(4) = F(5): the parent is of level 4, and no segment fits in a level of length 0";

    // The article index is zero-padded and remembered.
    auto& generator = ArtIndexGenerator::instance();
    EXPECT_EQ(nextArticle(123), "000123");
    EXPECT_EQ(generator.getLastGeneratedIndex(), 123);

    // The numbers taken are skipped by the store routine (its own test, and towary index next-article).
    settings({.articleLength = 3});
    EXPECT_EQ(failure<Sysutils::Exception>([this] { nextArticle(1234); }),
              "Funkcja getWolnyIndex wygenerowała zbyt duży indeks towaru.");
    EXPECT_EQ(generator.getLastGeneratedIndex(), 123) << "a failure leaves the last number";
    settings({.articleLength = 0});
    EXPECT_EQ(failure<Sysutils::Exception>([this] { nextArticle(1); }), "Funkcja getWolnyIndex nie zwróciła wartości.");
}

}  // namespace
