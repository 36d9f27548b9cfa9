#include "Core/tools/PolishText.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <iterator>
#include <random>

using namespace Core::PolishText;

TEST(PolishText, CaseOfNationalLettersTheLocalesLettersAndAFoldOfAnyBytesAsIcusConversionDoesIt) {
    EXPECT_EQ(toUpper("źdźbło żółwia, ąę"), "ŹDŹBŁO ŻÓŁWIA, ĄĘ");
    EXPECT_EQ(toLower("ŁÓDŹ"), "łódź");
    EXPECT_EQ(toUpper("straße ﬁ"), "STRAßE ﬁ");
    for (char32_t letter : {U'a', U'Z', U'q', U'V', U'x', U'ą', U'Ł', U'ż', U'Ź', U'é', U'ü'})
        EXPECT_TRUE(isLetter(letter)) << static_cast<int>(letter);
    for (char32_t other : {U'0', U' ', U'-', U'\'', U'%', U'α', U'Ж'})
        EXPECT_FALSE(isLetter(other)) << static_cast<int>(other);

// The search's indexes hold names folded by earlier builds, through ICU's UTF-16 conversion: the
// fold must agree with it on any bytes, text that is not UTF-8 included.
    std::mt19937 random(20261208);
    const std::string pieces[] = {"a", "Z", "ż", "Ł", "ß", "ﬁ", "\xC5", "\xFF", "\xED\xA0\x80", "\xF0\x9F\x98\x80", " ", std::string(1, '\0')};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 8); i > 0; --i) text += pieces[random() % std::size(pieces)];
        icu::UnicodeString wide = icu::UnicodeString::fromUTF8(text);
        icu::UnicodeString folded;
        for (int32_t at = 0; at < wide.length(); at = wide.moveIndex32(at, 1)) folded.append(u_toupper(wide.char32At(at)));
        std::string expected;
        folded.toUTF8String(expected);
        ASSERT_EQ(toUpper(text), expected) << text;
    }
}
