// KVR margins: the profit as a share of the gross sale price. The module
// reads the mode once per process, so these tests have a program of their own.

#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/MarginSettings.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "tests/prices/MarginRoundTrip.h"
#include "tests/prices/PriceFixture.h"

#include <utility>

namespace {

// What the first calls see is checked before any test asks for the mode,
// once per process, whatever the order and number of the runs.
class KvrModeFirstReads : public ::testing::Environment {
public:
    void SetUp() override {
        static bool checked = false;
        if (std::exchange(checked, true)) return;
        const TestSupport::TempStore store;
        const Core::SetupRegistration setup;
        TestSupport::replaceSettingsFile(kMarginSettings);
        EXPECT_THROW(isMarzaKVR(), std::logic_error) << "no mode; the message is the setup key's own";
        EXPECT_EQ(recalcMarza(10.0, 15.375, 0.23), 0.0) << "the margin of a rate catches the failure";

        const auto mode = Orvel::splitPath("Parametry programu / Towary / Marże / Marża KVR");
        TestSupport::setSetting(mode, true);
        EXPECT_TRUE(isMarzaKVR()) << "a failed read is tried again";
        TestSupport::setSetting(mode, false);
        EXPECT_TRUE(isMarzaKVR()) << "a change takes effect after a restart";
    }
};
const auto* const kKvrModeFirstReads = ::testing::AddGlobalTestEnvironment(new KvrModeFirstReads);

TEST_F(KvrMargins, AKvrMarginIsTurnedIntoAnOrdinaryOneCappedByTheCeilingAndIsTheProfitOverTheGrossSale) {
    EXPECT_EQ(calcSellPrice(10.00, 20, 8), 12.5) << "no VAT, no conversion";
    EXPECT_EQ(calcSellPrice(10.00, 81.31, 13), 0.0) << "81.31 % × 1.23 is over 100 %";
    EXPECT_EQ(calcSellPrice(10.00, -10, 13), 10.79) << "a loss: 10 × 1.23 × (1 - 0.123)";

    set(kCeiling, 30.0);
    EXPECT_EQ(calcSellPrice(10.00, 25, 13), 17.57)
        << "25 % × 1.23 = 30.75 % is cut to 30 %: 12.3 / 0.7 (capping first would give 17.76)";
    EXPECT_TRUE(isMaxMarzaPrzekroczona(25, 13));
    EXPECT_FALSE(isMaxMarzaPrzekroczona(25, 8)) << "without VAT the KVR margin is the ordinary one";
    EXPECT_FALSE(isMaxMarzaPrzekroczona(30 / 1.08, 12)) << "equal to the ceiling once converted";

    // The margin is the profit over the gross sale price.
    EXPECT_EQ(calculateMargin(10, 12.5, 12.3, 15.375), 0.1626) << "2.5 / 15.375";
    EXPECT_EQ(calculateMargin(10, 12.5, 12.3, 0), 0.0) << "a gross sale of exactly 0";
    EXPECT_EQ(calculateMargin(10, 0, 12.3, 0.000000001), -10000000000.0) << "exactly, not within the tolerance";
    EXPECT_EQ(recalcMarza(10.0, 15.375, 0.23), 0.1626);
    // A loss does not come back: its price takes the converted margin on the
    // purchase price, while the KVR margin divides by the gross sale: -10 %
    // gives 10.79, whose margin is -1.2276 / 10.79.
    EXPECT_EQ(recalcMarza(10.0, calcSellPrice(10.00, -10, 13), 13), -0.1138);

    // Any profit margin below the ceiling comes back from its price.
    set(kCeiling, 95.0);
    expectMarginsComeBack(0.0, 95.0 / 1.23);
}

}  // namespace
