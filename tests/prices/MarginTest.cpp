// Ordinary margins and the sale prices they give: the tolerance of about
// zero, the margin of a price, the price of a margin under the ceiling, and
// the VAT rates they are computed with.

#include "Core/System/Sysutils.h"
#include "Modules/Towary/Tools/prices/GetDBVAT.h"
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
    EXPECT_EQ(std::tuple(GTZERO(0.00001), GTZERO(0.000011), LTZERO(-0.00001), LTZERO(-0.000011), LEZERO(0.000009),
                         LEZERO(0.00001)),
              std::tuple(false, true, false, true, true, false));
}

TEST_F(OrdinaryMargins, TheMarginOfAPriceIsTakenOnTheSaleForAProfitOnThePurchaseForALossOfAbsoluteValues) {
    EXPECT_EQ(calculateMargin(10, 12.5, kNaN, kNaN), 0.2) << "the gross prices play no part in ordinary mode";
    // Rounded to four places; a sale or a purchase of a billionth is not zero.
    const std::tuple<double, double, double> cases[] = {{10, 8, -0.2}, {1, 3, 0.6667}, {3, 2, -0.3333}, {10, 10, 0.0},
                                                        {0, 0, 0.0},   {0, -1, 0.0},   {0, 0.000000001, 1.0},
                                                        {0.000000001, 0, -1.0}};
    for (const auto& [purchase, sale, margin] : cases)
        EXPECT_EQ(calculateMargin(purchase, sale, 0, 0), margin) << purchase << ", " << sale;

    // recalcMarza takes absolute values and the net sale out of the gross one.
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

TEST_F(OrdinaryMargins, TheSalePriceIsTheGrossPriceOfTheMarginCutToTheCeilingRoundedOnceAtTheEnd) {
    EXPECT_EQ(calcSellPriceFromVatValue(10.00, 20, 0.23), 15.38) << "10 × 1.23 / 0.8 = 15.375, the half rounded up";
    EXPECT_EQ(calcSellPrice(10.00, -20, 13), 9.84) << "a sale below cost: 10 × 1.23 × 0.8";
    EXPECT_EQ(calcSellPrice(2.4999, 0, 1), 2.5) << "only the final price is rounded";
    EXPECT_EQ(calcSellPrice(10.00, 99, 13), 1230.0);
    EXPECT_EQ(calcSellPrice(10.00, 100, 13), 0.0) << "a margin of 100 % has no price";
    EXPECT_EQ(calcSellPrice(-10.00, 20, 13), -15.38);

    // A margin above the ceiling is cut to it; the ceiling is read at every call.
    set(kCeiling, 50.0);
    EXPECT_EQ(calcSellPrice(10.00, 60, 13), 24.6) << "priced at the ceiling's 50 %";
    EXPECT_EQ(calcSellPrice(10.00, 50, 13), 24.6);
    EXPECT_FALSE(isMaxMarzaPrzekroczona(50, 13));
    EXPECT_TRUE(isMaxMarzaPrzekroczona(50.001, 13));
    EXPECT_FALSE(isMaxMarzaPrzekroczona(-300, 13));
    set(kCeiling, 150.0);
    EXPECT_EQ(calcSellPrice(10.00, 60, 13), 30.75);
    EXPECT_EQ(calcSellPrice(10.00, 120, 13), 0.0) << "a margin over 100 % under a higher ceiling";
    EXPECT_FALSE(isMaxMarzaPrzekroczona(120, 13));
    set(kCeiling, 100.0);
    EXPECT_EQ(calcSellPrice(10.00, 120, 13), 0.0) << "cut to 100 %, which has no price either";

    TestSupport::replaceSettingsFile("[\"Parametry programu\".Towary.\"Marże\"]\n\"Marża KVR\" = false\n");
    EXPECT_THROW(calcSellPrice(10, 20, 13), std::logic_error) << "no ceiling; the message is the setup key's own";
}

TEST_F(OrdinaryMargins, RatesAndTheMessagesOfAnUnknownCodeOrAMissingList) {
    EXPECT_EQ(GetDBVAT(13), 0.23);
    EXPECT_DOUBLE_EQ(GetOdwrotnaDBVAT(13), 0.23 / 1.23);
    EXPECT_EQ(failure<std::runtime_error>([] { calcSellPrice(10, 20, 7); }),
              "Brak stawki VAT o kodzie 7 na liście stawek sklepu.");
    EXPECT_EQ(failure<Sysutils::Exception>([] { GetOdwrotnaDBVAT(7); }), "Nieznany kod stawki VAT.");
    EXPECT_EQ(failure<Sysutils::Exception>([] { recalcMarza(10, 15.38, 7); }), "Nieznany kod stawki VAT.")
        << "the code is looked up before the margin's catch-all";

    rates_.reset();
    EXPECT_EQ(failure<Sysutils::Exception>([] { GetDBVAT(13); }), "Nieznany kod stawki VAT.");
    EXPECT_EQ(failure<std::logic_error>([] { calcSellPrice(10, 20, 13); }),
              "Brak implementacji klasy Vat::AvailVatRates.") << "the price lets the host's own failure through";
}

}  // namespace
