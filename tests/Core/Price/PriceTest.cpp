#include "Core/Price/Price.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <stdexcept>

// The rounding itself is Core::roundToUnits's (RoundTest.cpp).
TEST(Price, HoldsHundredthsRoundedFromADoubleWritesTwoDecimalsAndRefusesAnAmountBeyondItsRangeInPolish) {
    EXPECT_EQ(Core::Price(0.125).units(), 13);
    std::ostringstream text;
    text << Core::Price(1234.5) << " " << Core::Price(12) << " " << Core::Price(-0.5);
    EXPECT_EQ(text.str(), "1234.50 12.00 -0.50");
    EXPECT_EQ(Core::Price(9.99) + Core::Price(0.01), Core::Price(10));
    EXPECT_LT(Core::Price(9.99), Core::Price(10));

    EXPECT_EQ(Core::PurchasePrice(10.12345).units(), 101235);
    EXPECT_EQ(Core::PurchasePrice(10.12345).toString() + " " + Core::PurchasePrice(-0.00005).toString(),
              "10.1235 -0.0001");
    EXPECT_EQ(Core::Quantity(2.5).toString() + " " + Core::Quantity(0.0125).toString() + " " +
                  Core::Quantity::fromUnits(-1).toString(),
              "2.500 0.013 -0.001");

    const auto refusal = TestSupport::failure<std::range_error>;
    EXPECT_EQ(refusal([] { Core::PurchasePrice(1e16); }),
              "Kwota 1e+16 jest poza zakresem: kwoty mają wartości od -99999999999999.9999 do 99999999999999.9999.");
    EXPECT_EQ(refusal([] { Core::Price(1e300); }),
              "Kwota 1e+300 jest poza zakresem: kwoty mają wartości od -9999999999999999.99 do 9999999999999999.99.");
    EXPECT_EQ(refusal([] { Core::Quantity(-1e15); }),
              "Kwota -1e+15 jest poza zakresem: kwoty mają wartości od -999999999999999.999 do 999999999999999.999.");
    EXPECT_EQ(refusal([] { Core::Price{std::numeric_limits<double>::quiet_NaN()}; }),
              "Kwota nan jest poza zakresem: kwoty mają wartości od -9999999999999999.99 do 9999999999999999.99.");
    EXPECT_NE(refusal([] { Core::Price{-std::numeric_limits<double>::infinity()}; }), "no exception");
    EXPECT_NO_THROW(Core::PurchasePrice(99999999999999.0)) << "near the top of the range";
}
