// The multi-price logic in-process: what it answers without touching the store.

#include "Core/Setup/Setup.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareLogic.h"
#include "tests/products/ProductStore.h"
#include "tests/support/Failure.h"
#include "tests/support/IndexSettings.h"

#include <vector>

namespace {

TEST_F(ProductStore, OrdinaryProductsAndWithHandlingOffAnyAreLeftToTheImportAndGroupsFollowTheLevels) {
    TestSupport::addProduct(session_, 5, "Cukier", "010101001", "000700");
    std::vector<std::string> logged;
    const auto logger = [&logged](const System::AnsiString& text, bool show) {
        EXPECT_TRUE(show);
        logged.push_back(text);
    };
    Towar::MultiPriceWareLogic off(session_, logger, false), on(session_, logger, true);
    auto ware = product(0, "Kawa", "010101001", "000500");
    ware.SetWieleCen(1);
    TPLUCollection plus(1);
    plus[0].SetPLU("5901234123457");
    EXPECT_FALSE(off.processWare(ware, plus, boost::none, 0, 0));
    EXPECT_EQ(logged, (std::vector<std::string>{
                        "W imporcie pojawił się towar wielocenowy (Kawa, 000500) podczas gdy obsługa wielu cen jest "
                        "wyłączona. Towar zostanie zaimportowany jako towar zwykły."}));
    for (auto* logic : {&off, &on})
        for (const char* index : {"000700", "000701"}) {  // a stored product and a new one
            auto ordinary = product(0, "Cukier", "010101001", index);
            TPLUCollection none;
            EXPECT_FALSE(logic->processWare(ordinary, none, boost::none, 0, 0)) << index;
            EXPECT_EQ(ordinary.GetTowarRef(), 0) << index;
            EXPECT_TRUE(none.empty());
        }
    EXPECT_EQ(logged.size(), 1u);
    EXPECT_EQ(TestSupport::count(session_, "towar"), 1);
    EXPECT_EQ(TestSupport::count(session_, "plu"), 0);

    // Group codes and parents follow the level lengths.
    TestSupport::writeIndexSettings();
    const Core::SetupRegistration setup;
    EXPECT_EQ(Towar::groupCodeBelow(""), 1);
    EXPECT_EQ(Towar::groupCodeBelow("010101001"), 5);
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { Towar::groupCodeBelow("010101001001"); }),
              "Błędna długość indeksu grupy (010101001001).");
    EXPECT_EQ(Towar::parentGroupIndex("010101001001"), "010101001");
    EXPECT_EQ(Towar::parentGroupIndex("01"), "") << "a ware made at the root";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { Towar::parentGroupIndex("010"); }),
              "Błędna długość indeksu grupy (010).");
}

}  // namespace
