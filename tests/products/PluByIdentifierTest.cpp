#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/products/getPluByIdentifier.h"
#include "apps/towary/SampleSettings.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

namespace {

using namespace ProductTools::ErrorHandling;

TEST(PluByIdentifier, DigitsAreReadByTheStoreRulesAnythingElseIsNoCode) {
    TestSupport::TempStore store;
    // No settings registered yet: an identifier with a letter never reaches the rules, and digits
    // that cannot be read as a code for want of rules fail or give nothing, as asked.
    EXPECT_FALSE(ProductTools::getPluByIdentifier("12a4", ThrowOnError));
    EXPECT_FALSE(ProductTools::getPluByIdentifier("0017", ReturnEmptyOnError));
    EXPECT_ANY_THROW(ProductTools::getPluByIdentifier("0017", ThrowOnError));

    Towary::Host::writeSampleSettings(Core::Store::settingsFile());
    Core::SetupRegistration setup;
    // How a code is read (its canonical form, type and refusals) is the PLU rules' own test's.
    const auto code = ProductTools::getPluByIdentifier("0017", ThrowOnError);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->raw(), "17");

    EXPECT_FALSE(ProductTools::getPluByIdentifier("5901234123458", ReturnEmptyOnError));
    EXPECT_FALSE(ProductTools::getPluByIdentifier("", ReturnEmptyOnError));
    EXPECT_THROW(ProductTools::getPluByIdentifier("", ThrowOnError), Plu::EInvalidPlu);
}

}  // namespace
