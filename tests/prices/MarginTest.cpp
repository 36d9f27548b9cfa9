#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "Modules/Towary/Tools/prices/Tolerance.h"
#include "tests/prices/MarginRoundTrip.h"
#include "tests/prices/PriceFixture.h"

#include <limits>
#include <tuple>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Tolerance, TheBoundsOfAboutZeroAreExclusive) {
    for (double value : {0.0, 0.000009, -0.000009}) EXPECT_TRUE(EQZERO(value)) << value;
    for (double value : {0.00001, -0.00001}) EXPECT_FALSE(EQZERO(value)) << value;
    EXPECT_FALSE(GTZERO(0.00001));
    EXPECT_TRUE(GTZERO(0.000011));
    EXPECT_FALSE(LTZERO(-0.00001));
    EXPECT_TRUE(LTZERO(-0.000011));
    EXPECT_TRUE(LEZERO(0.000009));
    EXPECT_FALSE(LEZERO(0.00001));
}

TEST_F(OrdinaryMargins, AProfitIsTakenOnTheSalePriceALossOnThePurchasePriceAndZeroIsExact) {
    EXPECT_EQ(calculateMargin(10, 12.5, kNaN, kNaN), 0.2) << "the gross prices play no part in ordinary mode";
    // Rounded to four places; a sale or a purchase of a billionth is not zero.
    const std::tuple<double, double, double> cases[] = {{10, 8, -0.2},        {1, 3, 0.6667},
                                                        {3, 2, -0.3333},      {10, 10, 0.0},
                                                        {0, 0, 0.0},          {0, -1, 0.0},
                                                        {0, 0.000000001, 1.0}, {0.000000001, 0, -1.0}};
    for (const auto& [purchase, sale, margin] : cases)
        EXPECT_EQ(calculateMargin(purchase, sale, 0, 0), margin) << purchase << ", " << sale;
}

TEST_F(OrdinaryMargins, RecalcMarzaTakesAbsoluteValuesAndTheNetSaleOutOfTheGrossOne) {
    EXPECT_EQ(recalcMarza(-10, -12.5, -1, -1), 0.2);
    EXPECT_EQ(recalcMarza(10.0, 15.375, 0.23), 0.2) << "net sale 15.375 / 1.23 = 12.5";
    EXPECT_EQ(recalcMarza(-10.0, -15.375, 0.23), 0.2);

    EXPECT_EQ(recalcMarza(10.0, 15.375, -1.0), 0.0) << "a rate of -100 % divides by zero: no margin, no exception";
    EXPECT_EQ(recalcMarza(10.0, kNaN, 0.23), 0.0);
    EXPECT_THROW(recalcMarza(10.0, kNaN, kNaN, kNaN), std::domain_error) << "the four-price form has no catch-all";

    // Any margin below the ceiling, profit or loss, comes back from its price.
    set(kCeiling, 95.0);
    expectMarginsComeBack(-95.0, 95.0);
}

}  // namespace
