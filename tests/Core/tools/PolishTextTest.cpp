#include "Core/tools/PolishText.h"

#include <gtest/gtest.h>

using namespace Core::PolishText;

TEST(PolishText, CaseOfNationalLettersAndTheLocalesLetters) {
    EXPECT_EQ(toUpper("źdźbło żółwia, ąę"), "ŹDŹBŁO ŻÓŁWIA, ĄĘ");
    EXPECT_EQ(toLower("ŁÓDŹ"), "łódź");
    EXPECT_EQ(toUpper("straße ﬁ"), "STRAßE ﬁ");
    for (char32_t letter : {U'a', U'Z', U'q', U'V', U'x', U'ą', U'Ł', U'ż', U'Ź', U'é', U'ü'})
        EXPECT_TRUE(isLetter(letter)) << static_cast<int>(letter);
    for (char32_t other : {U'0', U' ', U'-', U'\'', U'%', U'α', U'Ж'})
        EXPECT_FALSE(isLetter(other)) << static_cast<int>(other);
}
