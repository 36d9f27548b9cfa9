#include "Core/Database/Dialect/SqlTokenizer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// The tokens one a word, their kinds as letters: Word, Quoted name, String, Number, Parameter, Symbol.
std::string tokens(std::string_view sql) {
    std::string result;
    for (const auto& token : DBKernel::Dialect::tokenize(sql))
        result += (result.empty() ? "" : " ") + std::string(1, "wqsnp."[static_cast<int>(token.kind)]) + token.text;
    return result;
}

}  // namespace

TEST(SqlTokenizer, LiteralsParametersNumbersAndTwoCharacterOperatorsAreOneTokenEachCommentsVanishAndUnterminatedPiecesAreErrors) {
    EXPECT_EQ(tokens("select 'O''Neil', '-- no comment', '/* nor this */', '' from \"Ta\"\"b\""),
              "wselect s'O''Neil' ., s'-- no comment' ., s'/* nor this */' ., s'' wfrom q\"Ta\"\"b\"");
    EXPECT_EQ(tokens("x = :QPLU and y = :1 and z::int and w = :OLD_lTowarRef"),
              "wx .= p:QPLU wand wy .= p:1 wand wz .:: wint wand ww .= p:OLD_lTowarRef");
    EXPECT_EQ(tokens("lTowarRef = 17and data=lastStnDate(17) + .5 - 1.25e3 * 2e"),
              "wlTowarRef .= n17 wand wdata .= wlastStnDate .( n17 .) .+ n.5 .- n1.25e3 .* n2 we");

    EXPECT_EQ(tokens("select 1 -- 3%->5%, 'x\n, 2/* a */from/**/dual -- to the end"), "wselect n1 ., n2 wfrom wdual");
    EXPECT_EQ(tokens("a||'%' <> b != c <= d >= e (+)"), "wa .|| s'%' .<> wb .!= wc .<= wd .>= we .( .+ .)");
    for (const char* bad : {"select 'abc from dual", "select \"abc from dual", "select 1 /* from dual", "select 1 ? 2"})
        EXPECT_THROW(DBKernel::Dialect::tokenize(bad), std::runtime_error) << bad;
}
