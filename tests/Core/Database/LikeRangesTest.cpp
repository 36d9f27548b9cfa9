// The identifier search's "like" conditions run on a range of an index of the
// store: the same rows as the "like" alone, for every text and pattern.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Database/Sql.h"
#include "Core/tools/PolishText.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

using DBKernel::Sql::Command;
using DBKernel::Sql::OpenedQuery;

namespace {

std::vector<std::int64_t> ids(const std::string& where, const TSessionHolder& session) {
    OpenedQuery rows("select lTowarRef from towar where " + where + " order by lTowarRef", session);
    std::vector<std::int64_t> found;
    while (rows.next()) found.push_back(rows["lTowarRef"].asInt64());
    return found;
}

std::string plan(const std::string& where, const TSessionHolder& session) {
    OpenedQuery rows("explain query plan select lTowarRef from towar where " + where, session);
    std::string details;
    while (rows.next()) details += rows["detail"].asString() + "\n";
    return details;
}

// Characters that matter to a like: both cases of Polish and plain letters, the wildcards,
// an apostrophe, a backslash (no escape without an escape clause), digits, a letter without
// a capital of its own.
constexpr std::array<const char*, 16> kCharacters{"a", "A", "ą", "Ą", "ł", "Ł", "ż", "Ż",
                                                  "_", "%", "'", "\\", "0", "1", "ß", "é"};

class RandomTexts {
public:
    std::string text(std::size_t maxLength) {
        std::string result;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, maxLength)(random_);
        for (std::size_t i = 0; i < length; ++i) result += kCharacters[pick(kCharacters.size())];
        return result;
    }
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

private:
    std::mt19937 random_{15};
};

}  // namespace

TEST(LikeRanges, TheIdentifierSearchsConditionsSeekTheStoresIndexes) {
    EXPECT_EQ(DBKernel::Dialect::translate("select lTowarRef from Towar where sArtIndex like '%000123'").statements,
              std::vector<std::string>{"select lTowarRef from Towar where (reverse_chars(sArtIndex) >= '321000' and "
                                       "reverse_chars(sArtIndex) < '321001' and sArtIndex like '%000123')"});
    EXPECT_EQ(DBKernel::Dialect::translate("select 1 from Towar where upper(sNazwa) like 'MLE%KO%'").statements,
              std::vector<std::string>{"select 1 from Towar where (polish_upper(sNazwa) >= 'MLE' and "
                                       "polish_upper(sNazwa) < 'MLF' and upper(sNazwa) like 'MLE%KO%')"});
    EXPECT_EQ(DBKernel::Dialect::translate(
                  "select 1 from Towar where upper(sNazwa) like :p || '%' and sArtIndex like '%' || :q")
                  .statements,
              std::vector<std::string>{
                  "select 1 from Towar where (polish_upper(sNazwa) >= like_prefix(:p) and polish_upper(sNazwa) < "
                  "like_prefix_end(:p) and upper(sNazwa) like :p || '%') and (reverse_chars(sArtIndex) >= "
                  "like_prefix(reverse_chars(:q)) and reverse_chars(sArtIndex) < like_prefix_end(reverse_chars(:q)) "
                  "and sArtIndex like '%' || :q)"})
        << "a pattern bound as a parameter gets its range from the bound value";
    EXPECT_EQ(DBKernel::Dialect::translate("select 1 from Towar where sNazwa not like '%a' or x like '%a' || y")
                  .statements,
              std::vector<std::string>{"select 1 from Towar where sNazwa not like '%a' or x like '%a' || y"})
        << "a like another operator takes is left alone";

    if (TestSupport::onServer()) GTEST_SKIP() << "the ranges are SQLite's rewrite; a server runs the like as written";
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    EXPECT_NE(plan("sArtIndex like '%000123'", session).find("towar_reversed_sArtIndex"), std::string::npos);
    EXPECT_NE(plan("upper(sNazwa) like 'MLEKO%'", session).find("towar_upper_sNazwa"), std::string::npos);
}

TEST(LikeRanges, RandomPatternsFindTheSameRowsWithTheRangeAsWithTheLikeAlone) {
    if (TestSupport::onServer()) GTEST_SKIP() << "the ranges are SQLite's rewrite; a server runs the like as written";
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
    RandomTexts random;
    std::vector<std::string> names;
    std::vector<std::string> indexes;
    session.StartTransaction();
    Command insert(
        "insert into towar (lTowarRef, byCode, sGrIndex, sNazwa, sArtIndex) values (:id, 6, '01', :name, :idx)",
        session);
    for (std::int64_t id = 1; id <= 400; ++id) {
        names.push_back(random.text(6));
        indexes.push_back(random.text(6));
        insert.Params["id"] = id;
        insert.Params["name"] = names.back();  // the empty text is stored as NULL
        insert.Params["idx"] = indexes.back();
        insert.execute();
    }
    session.Commit();

    std::size_t found = 0;
    // The layer binds the patterns it can range as parameters (StatementShape.h), whose
    // range like_prefix computes as the statement runs; the others stay literals.
    // Patterns made from the stored texts, so that many find rows: an index's end after
    // "%", a name's beginning in capitals followed by a random rest; and random ones.
    for (int round = 0; round < 600; ++round) {
        std::string ending = random.pick(4) == 0 ? random.text(4) : indexes[random.pick(indexes.size())];
        ending = ending.substr(random.pick(ending.size() + 1));
        std::string beginning = random.pick(4) == 0 ? random.text(4) : names[random.pick(names.size())];
        const std::string namePattern =
            Core::PolishText::toUpper(beginning.substr(0, random.pick(beginning.size() + 1))) + random.text(2) + "%";

        for (const auto& [column, pattern] :
             {std::pair<std::string, std::string>{"sArtIndex", "%" + ending}, {"upper(sNazwa)", namePattern}}) {
            const std::string like = " like '" + SQLUtils::SQLString(pattern) + "'";
            // A unary plus keeps the value and hides the like from the rule.
            const auto ranged = ids(column + like, session);
            EXPECT_EQ(ranged, ids("+" + column + like, session)) << column << like;
            found += ranged.size();
            EXPECT_EQ(ids("not " + column + like, session), ids("not +" + column + like, session)) << column << like;
        }
    }
    EXPECT_GT(found, 5000u) << "the patterns find rows";
}
