#include "Core/System/Sysutils.h"
#include "Modules/Towary/Tools/prices/GetDBVAT.h"
#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "tests/prices/PriceFixture.h"

namespace {

TEST_F(OrdinaryMargins, TheSalePriceIsTheGrossPriceOfTheMarginOnTheSalePriceRoundedOnceAtTheEnd) {
    EXPECT_EQ(calcSellPriceFromVatValue(10.00, 20, 0.23), 15.38) << "10 × 1.23 / 0.8 = 15.375, the half rounded up";
    EXPECT_EQ(calcSellPrice(10.00, -20, 13), 9.84) << "a sale below cost: 10 × 1.23 × 0.8";
    EXPECT_EQ(calcSellPrice(2.4999, 0, 1), 2.5) << "only the final price is rounded";
    EXPECT_EQ(calcSellPrice(10.00, 99, 13), 1230.0);
    EXPECT_EQ(calcSellPrice(10.00, 100, 13), 0.0) << "a margin of 100 % has no price";
    EXPECT_EQ(calcSellPrice(-10.00, 20, 13), -15.38);
}

TEST_F(OrdinaryMargins, AMarginAboveTheCeilingIsCutToItAndTheCeilingIsReadAtEveryCall) {
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

    writeSettingsFile("[\"Parametry programu\".Towary.\"Marże\"]\n\"Marża KVR\" = false\n");
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
              "Brak implementacji klasy Vat::AvailVatRates.")
        << "the price lets the host's own failure through";
}

}  // namespace
