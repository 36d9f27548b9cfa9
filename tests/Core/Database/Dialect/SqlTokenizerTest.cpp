#include "Core/Database/Dialect/SqlTokenizer.h"

#include <gtest/gtest.h>

#include <stdexcept>

using DBKernel::Dialect::Token;
using DBKernel::Dialect::tokenize;
using Kind = Token::Kind;

TEST(SqlTokenizer, LiteralsParametersAndNumbersAreOneTokenEach) {
    const auto literals = tokenize("select 'O''Neil', '-- no comment', '/* nor this */', '' from \"Ta\"\"b\"");
    ASSERT_EQ(literals.size(), 10u);
    EXPECT_EQ(literals[1], (Token{Kind::String, "'O''Neil'"}));
    EXPECT_EQ(literals[3], (Token{Kind::String, "'-- no comment'"}));
    EXPECT_EQ(literals[5], (Token{Kind::String, "'/* nor this */'"}));
    EXPECT_EQ(literals[7], (Token{Kind::String, "''"}));
    EXPECT_EQ(literals[9], (Token{Kind::QuotedName, "\"Ta\"\"b\""}));

    const auto parameters = tokenize("x = :QPLU and y = :1 and z::int and w = :OLD_lTowarRef");
    EXPECT_EQ(parameters[2], (Token{Kind::Parameter, ":QPLU"}));
    EXPECT_EQ(parameters[6], (Token{Kind::Parameter, ":1"}));
    EXPECT_EQ(parameters[9], (Token{Kind::Symbol, "::"})) << "a double colon is no parameter";
    EXPECT_EQ(parameters[14], (Token{Kind::Parameter, ":OLD_lTowarRef"}));

    const auto numbers = tokenize("lTowarRef = 17and data=lastStnDate(17) + .5 - 1.25e3 * 2e");
    EXPECT_EQ(numbers[2], (Token{Kind::Number, "17"}));
    EXPECT_EQ(numbers[3], (Token{Kind::Word, "and"}));
    EXPECT_EQ(numbers[11], (Token{Kind::Number, ".5"}));
    EXPECT_EQ(numbers[13], (Token{Kind::Number, "1.25e3"}));
    EXPECT_EQ(numbers[15], (Token{Kind::Number, "2"}));
    EXPECT_EQ(numbers[16], (Token{Kind::Word, "e"}));
}

TEST(SqlTokenizer, CommentsVanishTwoCharacterOperatorsAreOneTokenAndUnterminatedPiecesAreErrors) {
    const auto texts = [](std::string_view sql) {
        std::vector<std::string> result;
        for (const Token& token : tokenize(sql)) result.push_back(token.text);
        return result;
    };
    EXPECT_EQ(texts("select 1 -- 3%->5%, 'x\n, 2/* a */from/**/dual -- to the end"),
              (std::vector<std::string>{"select", "1", ",", "2", "from", "dual"}));
    EXPECT_EQ(texts("a||'%' <> b != c <= d >= e (+)"),
              (std::vector<std::string>{"a", "||", "'%'", "<>", "b", "!=", "c", "<=", "d", ">=", "e", "(", "+", ")"}));
    for (const char* bad : {"select 'abc from dual", "select \"abc from dual", "select 1 /* from dual", "select 1 ? 2"})
        EXPECT_THROW(tokenize(bad), std::runtime_error) << bad;
}
