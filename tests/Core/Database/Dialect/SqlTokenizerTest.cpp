#include "Core/Database/Dialect/SqlTokenizer.h"

#include <gtest/gtest.h>

#include <stdexcept>

using DBKernel::Dialect::Token;
using DBKernel::Dialect::tokenize;
using Kind = Token::Kind;

TEST(SqlTokenizer, LiteralsKeepQuotesCommentMarksAndDoubledQuotesInside) {
    const auto tokens = tokenize("select 'O''Neil', '-- no comment', '/* nor this */', '' from \"Ta\"\"b\"");
    ASSERT_EQ(tokens.size(), 10u);
    EXPECT_EQ(tokens[1], (Token{Kind::String, "'O''Neil'"}));
    EXPECT_EQ(tokens[3], (Token{Kind::String, "'-- no comment'"}));
    EXPECT_EQ(tokens[5], (Token{Kind::String, "'/* nor this */'"}));
    EXPECT_EQ(tokens[7], (Token{Kind::String, "''"}));
    EXPECT_EQ(tokens[9], (Token{Kind::QuotedName, "\"Ta\"\"b\""}));
}

TEST(SqlTokenizer, ParametersAreColonNamesButNotDoubleColons) {
    const auto tokens = tokenize("x = :QPLU and y = :1 and z::int and w = :OLD_lTowarRef");
    EXPECT_EQ(tokens[2], (Token{Kind::Parameter, ":QPLU"}));
    EXPECT_EQ(tokens[6], (Token{Kind::Parameter, ":1"}));
    EXPECT_EQ(tokens[9], (Token{Kind::Symbol, "::"}));
    EXPECT_EQ(tokens[10], (Token{Kind::Word, "int"}));
    EXPECT_EQ(tokens[14], (Token{Kind::Parameter, ":OLD_lTowarRef"}));
}

namespace {

std::vector<std::string> texts(std::string_view sql) {
    std::vector<std::string> result;
    for (const Token& token : tokenize(sql)) result.push_back(token.text);
    return result;
}

}  // namespace

TEST(SqlTokenizer, CommentsVanishAndTwoCharacterOperatorsAreOneToken) {
    EXPECT_EQ(texts("select 1 -- 3%->5%, 'x\n, 2/* a */from/**/dual -- to the end"),
              (std::vector<std::string>{"select", "1", ",", "2", "from", "dual"}));
    EXPECT_EQ(texts("a||'%' <> b != c <= d >= e (+)"),
              (std::vector<std::string>{"a", "||", "'%'", "<>", "b", "!=", "c", "<=", "d", ">=", "e", "(", "+", ")"}));
}

TEST(SqlTokenizer, NumbersEndWhereAWordBegins) {
    const auto tokens = tokenize("lTowarRef = 17and data=lastStnDate(17) + .5 - 1.25e3 * 2e");
    EXPECT_EQ(tokens[2], (Token{Kind::Number, "17"}));
    EXPECT_EQ(tokens[3], (Token{Kind::Word, "and"}));
    EXPECT_EQ(tokens[5], (Token{Kind::Symbol, "="}));
    EXPECT_EQ(tokens[11], (Token{Kind::Number, ".5"}));
    EXPECT_EQ(tokens[13], (Token{Kind::Number, "1.25e3"}));
    EXPECT_EQ(tokens[15], (Token{Kind::Number, "2"}));
    EXPECT_EQ(tokens[16], (Token{Kind::Word, "e"}));
}

TEST(SqlTokenizer, UnterminatedPiecesAndStrayCharactersAreErrors) {
    EXPECT_THROW(tokenize("select 'abc from dual"), std::runtime_error);
    EXPECT_THROW(tokenize("select \"abc from dual"), std::runtime_error);
    EXPECT_THROW(tokenize("select 1 /* from dual"), std::runtime_error);
    EXPECT_THROW(tokenize("select 1 ? 2"), std::runtime_error);
}
