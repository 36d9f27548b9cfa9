#include "Core/tools/Round.h"
#include "Core/tools/Tls_Decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

TEST(Round, RoundsToTheStepTheDecimalsOrAnExactDecimalWithHalvesAwayFromZeroAndMoneyToTheGroszAsTheAmountIsWritten) {
    EXPECT_DOUBLE_EQ(Round(0.123449, 0.0001), 0.1234);
    EXPECT_DOUBLE_EQ(Round(-0.12345, 0.0001), -0.1235);
    EXPECT_DOUBLE_EQ(Round(12.375, 0.05), 12.4);
    EXPECT_EQ(Round(0.2, 0.0001), 0.2) << "a value already on the step comes back as the same double";
    EXPECT_EQ(Round(0.0, 0.0001), 0.0);
    EXPECT_EQ(RoundMoney(15.375), 15.38) << "an exact half goes up";
    EXPECT_EQ(RoundMoney(10 * 1.23 / 0.8), 15.38) << "the computed 15.375 too";
    EXPECT_EQ(RoundMoney(1.005), 1.01) << "held as 1.00499999..., written 1.005";
    EXPECT_EQ(RoundMoney(1.00499), 1.0);
    EXPECT_EQ(RoundMoney(-1.005), -1.01) << "halves away from zero below zero too";

    EXPECT_EQ(Core::roundAwayFromZeroI(12.35, 1), 12.4);
    EXPECT_EQ(Core::roundAwayFromZeroI(1230.5, 0), 1231.0);
    EXPECT_EQ(Core::roundAwayFromZeroI(12.3 * 100, 0), 1230.0) << "12.3 * 100 is 1230.0000000000002";
    EXPECT_EQ(Core::roundHalfAwayFromZero(-2.5), -3.0);
    EXPECT_EQ(Core::roundHalfAwayFromZero(9007199254740993.0), 9007199254740993.0)
        << "a double this large is whole already and is not moved";
    EXPECT_THROW(Core::roundHalfAwayFromZero(std::numeric_limits<double>::infinity()), std::domain_error);
    EXPECT_EQ(Core::roundToUnits(12.344, 2), 1234);
    EXPECT_EQ(Core::roundToUnits(1.005, 2), 101) << "a half as written, though the double lies below it";
    EXPECT_EQ(Core::roundToUnits(-0.125, 2), -13) << "halves away from zero";
    EXPECT_EQ(Core::roundToUnits(-0.00005, 4), -1);
    EXPECT_THROW(Core::roundToUnits(1e19, 0), std::runtime_error) << "beyond 64 bits";

    // decimalFromDouble gives the exact decimal rounded as written and refuses the old form and values that are
    // not finite.
    EXPECT_EQ(decimalFromDouble(1.005, 2, false), Core::Decimal(101, 100));
    EXPECT_EQ(decimalFromDouble(1234.4, -1, false), Core::Decimal(1234)) << "a negative precision gives whole numbers";
    const auto price = decimalFromDouble(12.5, 2, false);
    EXPECT_EQ(price.numerator(), 25) << "normalised: 1250/100 is 25/2";
    EXPECT_EQ(price.denominator(), 2);
    EXPECT_EQ(decimalFromDouble(0.1 + 0.2, 4, false), Core::Decimal(3, 10));

    // Programmers' errors, in their words.
    EXPECT_THROW((void)decimalFromDouble(1.0, 2, true), std::logic_error);
    EXPECT_THROW((void)decimalFromDouble(std::numeric_limits<double>::infinity(), 2, false), std::domain_error);
}
