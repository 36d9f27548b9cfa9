#include <gtest/gtest.h>

#include <stdexcept>

#include "Core/tools/Gs1.h"

using namespace Core::Gs1;

TEST(Gs1, CheckDigitsOfPublishedCodesAndACodeIsValidOnlyWithItsOwn) {
    EXPECT_EQ(checkDigit("590123412345"), '7') << "EAN-13 5901234123457";
    EXPECT_EQ(checkDigit("9638507"), '4') << "EAN-8 96385074";
    EXPECT_EQ(checkDigit("03600029145"), '2') << "UPC-A 036000291452";
    EXPECT_EQ(checkDigit("210000100000"), '4') << "a weighed-goods code, prefix 21";
    EXPECT_EQ(checkDigit("000000000000"), '0') << "a sum divisible by 10 gives 0, not 10";
    EXPECT_EQ(checkDigit("1"), '7') << "the rightmost digit weighs 3";

    EXPECT_THROW(checkDigit(""), std::invalid_argument);
    EXPECT_THROW(checkDigit("59012341234a"), std::invalid_argument);

    EXPECT_TRUE(hasValidCheckDigit("5901234123457"));
    EXPECT_FALSE(hasValidCheckDigit("5901234123475")) << "two digits swapped";
    EXPECT_FALSE(hasValidCheckDigit("7")) << "a check digit alone checks nothing";
    EXPECT_FALSE(hasValidCheckDigit(""));
    EXPECT_FALSE(hasValidCheckDigit("590123412345X"));
}
