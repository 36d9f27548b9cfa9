#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "tests/prices/PriceFixture.h"

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST_F(OrdinaryMargins, AProfitIsTakenOnTheSalePriceAndALossOnThePurchasePrice) {
    EXPECT_EQ(calculateMargin(10, 12.5, kNaN, kNaN), 0.2) << "the gross prices play no part in ordinary mode";
    EXPECT_EQ(calculateMargin(10, 8, 0, 0), -0.2);
    EXPECT_EQ(calculateMargin(1, 3, 0, 0), 0.6667) << "rounded to four places";
    EXPECT_EQ(calculateMargin(2, 3, 0, 0), 0.3333);
    EXPECT_EQ(calculateMargin(3, 2, 0, 0), -0.3333);
    EXPECT_EQ(calculateMargin(10, 10, 0, 0), 0.0);
}

TEST_F(OrdinaryMargins, TheZeroTestsOfTheMarginAreExactNotWithinTheTolerance) {
    EXPECT_EQ(calculateMargin(0, 0, 0, 0), 0.0);
    EXPECT_EQ(calculateMargin(0, -1, 0, 0), 0.0) << "a loss on a purchase price of exactly 0";
    EXPECT_EQ(calculateMargin(0, 0.000000001, 0, 0), 1.0) << "a sale of a billionth is not zero";
    EXPECT_EQ(calculateMargin(0.000000001, 0, 0, 0), -1.0) << "nor is a purchase of a billionth";
}

TEST_F(OrdinaryMargins, RecalcMarzaTakesAbsoluteValuesAndTheNetSaleOutOfTheGrossOne) {
    EXPECT_EQ(recalcMarza(-10, -12.5, -1, -1), 0.2);
    EXPECT_EQ(recalcMarza(10.0, 15.375, 0.23), 0.2) << "net sale 15.375 / 1.23 = 12.5";
    EXPECT_EQ(recalcMarza(-10.0, -15.375, 0.23), 0.2);
    EXPECT_EQ(recalcMarza(10.0, 15.375, 13), 0.2);
    EXPECT_EQ(recalcMarza(10.0, 9.84, 13), -0.2);
    EXPECT_EQ(recalcMarza(10.0, 15.38, 13), 0.2003) << "the money-rounded price carries its rounding";
}

TEST_F(OrdinaryMargins, TheMarginOfARateCatchesEveryFailureAsZero) {
    EXPECT_EQ(recalcMarza(10.0, 15.375, -1.0), 0.0) << "a rate of -100 % divides by zero: no margin, no exception";
    EXPECT_EQ(recalcMarza(10.0, kNaN, 0.23), 0.0);
    EXPECT_THROW(recalcMarza(10.0, kNaN, kNaN, kNaN), std::domain_error) << "the four-price form has no catch-all";
}

TEST_F(OrdinaryMargins, TheCeilingIsExceededOnlyAboveIt) {
    set(kCeiling, 50.0);
    EXPECT_FALSE(isMaxMarzaPrzekroczona(50, 13));
    EXPECT_TRUE(isMaxMarzaPrzekroczona(50.001, 13));
    EXPECT_FALSE(isMaxMarzaPrzekroczona(-300, 13));
    set(kCeiling, 20.0);
    EXPECT_TRUE(isMaxMarzaPrzekroczona(25, 13)) << "the ceiling is read at every call";
}

}  // namespace
