#include "Core/Price/Price.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Price, HoldsHundredthsRoundedFromADoubleAndWritesTwoDecimals) {
    EXPECT_EQ(Core::Price(12.34).hundredths(), 1234);
    EXPECT_EQ(Core::Price(12.339999999).hundredths(), 1234) << "a stored double near the amount";
    EXPECT_EQ(Core::Price(0.125).hundredths(), 13) << "halves away from zero";
    EXPECT_EQ(Core::Price(-0.125).hundredths(), -13);
    EXPECT_EQ(Core::Price(12).toString(), "12.00");
    EXPECT_EQ(Core::Price(-0.5).toString(), "-0.50");
    EXPECT_EQ(Core::Price(0.07).toString(), "0.07");
    std::ostringstream text;
    text << Core::Price(1234.5);
    EXPECT_EQ(text.str(), "1234.50");
    EXPECT_EQ(Core::Price(9.99) + Core::Price(0.01), Core::Price(10));
    EXPECT_LT(Core::Price(9.99), Core::Price(10));
    EXPECT_DOUBLE_EQ(Core::Price(3.49).toDouble(), 3.49);
}
