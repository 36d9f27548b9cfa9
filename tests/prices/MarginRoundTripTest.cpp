#include "tests/prices/MarginRoundTrip.h"
#include "tests/prices/PriceFixture.h"

namespace {

TEST_F(OrdinaryMargins, AnyMarginBelowTheCeilingComesBackFromItsPriceProfitOrLoss) {
    set(kCeiling, 95.0);
    expectMarginsComeBack(-95.0, 95.0);
}

}  // namespace
