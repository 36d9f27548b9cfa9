// The identifier search's "like" conditions run on a range of an index of the
// store: the same rows as the "like" alone, for every text and pattern, on
// SQLite and on a server.

#include "Core/tools/IgnoringCase.h"
#include "Core/tools/PolishText.h"
#include "Core/tools/Utf8.h"
#include "tests/support/StoreSession.h"

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

using LikeRanges = TestSupport::StoreSession;

namespace {

// The ids of the products found, one a line; with a pattern, bound as the parameter :p, as it is when the
// layer takes it out of the text.
std::string ids(const std::string& where, const TSessionHolder& session,
                const std::optional<std::string>& pattern = {}) {
    return TestSupport::rows(session, "select lTowarRef from towar where " + where + " order by lTowarRef",
                             pattern ? TestSupport::Bindings{{"p", *pattern}} : TestSupport::Bindings{});
}

// Characters that matter to a like: both cases of Polish and plain letters, the wildcards,
// an apostrophe, a backslash (no escape without an escape clause), digits, a letter without
// a capital of its own.
constexpr std::array<const char*, 16> kCharacters{"a", "A", "ą", "Ą",  "ł", "Ł", "ż", "Ż",
                                                  "_", "%", "'", "\\", "0", "1", "ß", "é"};

// And those where the end of a range is found otherwise: the last before the surrogates
// (U+D7FF), the replacement character, the last character (U+10FFFF).
constexpr std::array<const char*, 3> kBoundaryCharacters{"\xED\x9F\xBF", "\xEF\xBF\xBD", "\xF4\x8F\xBF\xBF"};

class RandomTexts {
public:
    std::string text(std::size_t maxLength) {
        std::string result;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, maxLength)(random_);
        for (std::size_t i = 0; i < length; ++i) result += kCharacters[pick(kCharacters.size())];
        return result;
    }
    std::string textWithBoundaries(std::size_t maxLength) {
        std::string result = text(maxLength);
        for (std::size_t i = 0, count = pick(3); i < count; ++i) {
            const auto at = pick(kCharacters.size());
            result += kBoundaryCharacters[at % kBoundaryCharacters.size()];
            if (at % 2 == 0) result += text(2);
        }
        return result;
    }
    // A random beginning or end of the text: cut anywhere on SQLite, which keeps broken
    // UTF-8 too; a server takes whole characters only.
    std::string part(const std::string& text, bool end) {
        if (!TestSupport::onServer()) {
            const std::size_t at = pick(text.size() + 1);
            return end ? text.substr(at) : text.substr(0, at);
        }
        const std::size_t length = Core::Utf8::length(text);
        const std::size_t at = pick(length + 1);
        return std::string(end ? Core::Utf8::substr(text, at, length) : Core::Utf8::substr(text, 0, at));
    }
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

private:
    std::mt19937 random_{15};
};

// Products 1, 2, ... of the names and identifiers.
void addProducts(TSessionHolder& session, const std::vector<std::pair<std::string, std::string>>& products) {
    session.StartTransaction();
    std::int64_t id = 0;
    for (const auto& [name, index] : products)
        TestSupport::exec(session, "insert into towar (lTowarRef, byCode, sGrIndex, sNazwa, sArtIndex) values "
                                   "(:i, 6, '01', :n, :x)", {{"i", ++id}, {"n", name}, {"x", index}});
    session.Commit();
}

}  // namespace

// The ranges' texts are checked with the dialect's other rules (Dialect/TranslateTest.cpp).
TEST_F(LikeRanges, TheIdentifierSearchsConditionsSeekTheStoresIndexesAndFindTheRowsOfTheLikeAlone) {
    std::vector<std::pair<std::string, std::string>> products;
    for (int i = 1; i <= 3000; ++i) {
        const std::string number = std::to_string(i);
        products.emplace_back("Towar " + number, std::string(6 - number.size(), '0') + number);
    }
    addProducts(session, products);
    TestSupport::exec(session, "analyze");

    // The searches bind their texts (the layer's shapes): one prepared statement each, run
    // more often than a server plans it for its values before it weighs a generic plan.
    const auto runs = TestSupport::traced([&] {
        for (int i = 1; i <= 8; ++i) {
            const std::string number = std::to_string(120 + i);
            EXPECT_EQ(ids("sArtIndex like '%000" + number + "'", session), number + "\n");
            // The name's beginning finds it and the products 1210 to 1219.
            EXPECT_EQ(std::ranges::count(ids("upper(sNazwa) like 'TOWAR " + number + "%'", session), '\n'), 11)
                << number;
        }
    });
    ASSERT_EQ(runs.size(), 16u);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].engineTexts, runs[i % 2].engineTexts) << "one prepared statement for each search";
        EXPECT_NE(Core::lowerAscii(runs[i].plan).find(i % 2 == 0 ? "towar_reversed_sartindex" : "towar_upper_snazwa"),
                  std::string::npos)
            << runs[i].text << "\n" << runs[i].plan;
    }
    if (TestSupport::onServer()) {
        // The plans above are the server's explain of each statement with its values: the runs
        // themselves ran such plans when the server planned every run for its values.
        const std::string plans = "select generic_plans, custom_plans from pg_prepared_statements where statement = :s";
        for (std::size_t i = 0; i < 2; ++i)
            EXPECT_EQ(TestSupport::rows(session, plans, {{"s", runs[i].engineTexts.at(0)}}), "0|8\n") << runs[i].text;
    }

    // Random patterns find the same rows with the range as with the like alone.
    TestSupport::exec(session, "delete from towar");
    RandomTexts random;
    products.clear();
    for (int id = 1; id <= 400; ++id) products.emplace_back(random.text(6), random.textWithBoundaries(6));
    addProducts(session, products);

    std::size_t found = 0;
    // The layer binds the patterns it can range as parameters (StatementShape.h), whose
    // range like_prefix computes as the statement runs; the others stay literals.
    // Patterns made from the stored texts, so that many find rows: an index's end after
    // "%", a name's beginning in capitals followed by a random rest; and random ones.
    // Bound by the caller, a parameter may also hold what has no range.
    for (int round = 0; round < 600; ++round) {
        const auto& [name, index] = products[random.pick(products.size())];
        const std::string ending = random.part(random.pick(4) == 0 ? random.textWithBoundaries(4) : index, true);
        const std::string beginning =
            Core::PolishText::toUpper(random.part(random.pick(4) == 0 ? random.text(4) : name, false));
        const std::string nameRest = random.text(2) + "%";

        // Parentheses around the operand keep the value and hide the like from the rule.
        for (const auto& [column, pattern] : {std::pair<std::string, std::string>{"sArtIndex", "%" + ending},
                                              {"upper(sNazwa)", beginning + nameRest}}) {
            const std::string like = " like '" + SQLUtils::SQLString(pattern) + "'";
            const auto ranged = ids(column + like, session);
            EXPECT_EQ(ranged, ids("(" + column + ")" + like, session)) << column << like;
            found += std::ranges::count(ranged, '\n');
            EXPECT_EQ(ids("not " + column + like, session), ids("not (" + column + ")" + like, session))
                << column << like;
        }
        if (!ending.empty()) {
            EXPECT_EQ(ids("sArtIndex like '%' || :p", session, ending),
                      ids("(sArtIndex) like '%' || :p", session, ending))
                << "%" << ending;
        }
        if (!beginning.empty()) {
            const std::string like = " like :p || '" + SQLUtils::SQLString(nameRest) + "'";
            EXPECT_EQ(ids("upper(sNazwa)" + like, session, beginning),
                      ids("(upper(sNazwa))" + like, session, beginning))
                << beginning << nameRest;
        }
    }
    EXPECT_GT(found, 5000u) << "the patterns find rows";

    // A NULL pattern matches nothing, with the range as without it.
    for (const std::string where : {"sArtIndex like '%' || :p", "upper(sNazwa) like :p || '%'"})
        EXPECT_EQ(TestSupport::rows(session, "select count(*) from towar where " + where, {{"p", {}}}), "0\n") << where;
}
