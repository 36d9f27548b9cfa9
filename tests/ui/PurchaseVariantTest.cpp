#include "Core/Action/ActionContainer.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/ui/PurchaseConditionVariants.h"
#include "Modules/Towary/Tools/ui/PurchaseVariant.h"
#include "apps/towary/SampleLists.h"
#include "tests/support/Failure.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace Towary::ProductTools;

const std::string kVariants = R"(<warianty>
  <variant><supplierIndex> HB-1200 </supplierIndex><netPurchasePrice>12.34567</netPurchasePrice>
    <catalogNetPurchasePrice>14</catalogNetPurchasePrice><logisticMinimum>24</logisticMinimum>
    <clearanceSale>1</clearanceSale><purchaseMeasureUnit>karton</purchaseMeasureUnit>
    <purchaseMeasureUnitRate>12</purchaseMeasureUnitRate></variant>
  <other/>
  <variant><netPurchasePrice>1.1</netPurchasePrice><catalogNetPurchasePrice>1.25</catalogNetPurchasePrice>
    <logisticMinimum></logisticMinimum><purchaseMeasureUnit>szt</purchaseMeasureUnit>
    <purchaseMeasureUnitRate>0.5</purchaseMeasureUnitRate></variant>
</warianty>)";

// The store's settings name the XML parser the variants are read with.
bool writeParserSetting() {
    TestSupport::replaceSettingsFile("[\"Parametry programu\".XML.Parser]\nId = \"pugixml\"\n");
    return true;
}

// The position's fields a variant fills, in the order of the variant's elements:
// supplier index, net and catalogue price, logistic minimum ("-" for none),
// clearance sale, unit code and rate; then the price in the currency.
std::string filledFields(const Orvel::Orders::OrderPos& position) {
    const auto& minimum = position.getLogisticMinimum();
    return position.getProviderProductIndex() + "|" + position.getPurchasePrice().toString() + "|" +
           position.getPurchasePriceBeforeDiscount().toString() + "|" + (minimum ? minimum->toString() : "-") + "|" +
           (position.getClearanceSale() ? "1" : "0") + "|" + std::to_string(position.getPurchaseMeasureUnit()) + "|" +
           position.getSaleUnitsInOrderUnit().toString() + "|" + position.getCurrencyPurchasePrice().toString();
}

class PurchaseVariants : public ::testing::Test {
protected:
    PurchaseVariants() { Towary::Host::fillSampleLists(TSessionHolder()); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    const bool settingsWritten_ = writeParserSetting();
    Core::SetupRegistration setup_;
    const std::vector<VariantNodePtr> variants_ = parseVariants(kVariants, "warianty.xml");
};

TEST_F(PurchaseVariants, FillCopiesEveryValueLeavesOutWhatTheVariantLacksAndARefusedVariantChangesNothing) {
    ASSERT_EQ(variants_.size(), 2u);
    const Core::AvailMeasureUnits units;
    Orvel::Orders::OrderPos position;
    const std::string first = "HB-1200|12.3457|14.0000|24.000|1|5|12.000|12.3457";
    fillOrderPosition(*variants_[0], position, units);
    EXPECT_EQ(filledFields(position), first);
    fillOrderPosition(*variants_[1], position, units);
    EXPECT_EQ(filledFields(position), "|1.1000|1.2500|-|0|1|0.500|1.1000")
        << "the earlier variant's index, minimum and clearance are cleared";

    fillOrderPosition(*variants_[0], position, units);
    const auto refused = parseVariants(
        "<v><variant><netPurchasePrice>2</netPurchasePrice><purchaseMeasureUnit>beczka</purchaseMeasureUnit>"
        "</variant><variant><netPurchasePrice>2</netPurchasePrice><purchaseMeasureUnit>szt</purchaseMeasureUnit>"
        "<purchaseMeasureUnitRate>1</purchaseMeasureUnitRate><catalogNetPurchasePrice>3</catalogNetPurchasePrice>"
        "<clearanceSale>tak</clearanceSale></variant></v>",
        "x.xml");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { fillOrderPosition(*refused[0], position, units); }),
              "Wariant 1: element \"purchaseMeasureUnit\": Brak jednostki miary \"beczka\" na liście jednostek "
              "sklepu (są: szt, ltr, kg, but, kar, pal, op, mb, m2, m3, kpl, zgr, dsp).");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { fillOrderPosition(*refused[1], position, units); }),
              "Wariant 2: element \"clearanceSale\" ma wartość \"tak\", a powinien zawierać true albo false.");
    EXPECT_EQ(filledFields(position), first);

    // The parser's own reasons are its tests'; the file is named before them.
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { parseVariants("", "pusty.xml"); }),
              "Plik wariantów pusty.xml: Niepoprawny dokument XML (znak 1): brak elementu głównego.");
}

TEST_F(PurchaseVariants, TheGridShowsEachVariantARefusedOneWithItsReasonAndTheChosenOneFillsThePosition) {
    Core::ImplRegistration<Core::AvailMeasureUnits> units;
    Core::Registrations registrations;
    registerPurchaseConditionVariantControllerObjects(registrations);
    registerPurchaseVariantSelectDialogObjects(registrations);
    TestSupport::ScopedDialogs dialogs;
    dialogs->rows = {1, std::nullopt, 2};
    const auto choose = [this](const std::vector<VariantNodePtr>& variants) {
        return Core::Action::CContainer::invoke<ChosenPurchaseVariant>(
            *this, kPurchaseVariantSelectDialogGuid, std::make_shared<PurchaseVariantsArgs>(variants));
    };

    // A refused variant is shown with its reason, and the others stay choosable.
    auto variants = variants_;
    variants.push_back(parseVariants("<v><variant><netPurchasePrice>1,1</netPurchasePrice><clearanceSale>tak"
                                     "</clearanceSale><purchaseMeasureUnitRate>2</purchaseMeasureUnitRate></variant></v>",
                                     "zly.xml")[0]);
    const auto chosen = choose(variants);
    ASSERT_TRUE(chosen && chosen->variant);
    EXPECT_EQ(chosen->variant->number(), 2u);
    const auto grid = dialogs->grids.at(0);
    EXPECT_EQ(grid.caption, "Warianty");
    EXPECT_EQ(grid.columns.back().caption, "Odrzucony");
    // The grid shows each value in its own column, as the position would take it.
    EXPECT_EQ(grid.rows, (std::vector<std::vector<std::string>>{
                             {"HB-1200", "12.3457", "14.0000", "24.000", "✓", "karton", "12.000", ""},
                             {"", "1.1000", "1.2500", "", "", "szt", "0.500", ""},
                             {"", "1,1", "", "", "tak", "", "2.000",
                              "Wariant 1: element \"netPurchasePrice\" ma wartość \"1,1\", a powinien "
                              "zawierać liczbę (z kropką dziesiętną)."}}));

    Orvel::Orders::OrderPos position;
    Core::Action::CContainer::invoke<Core::IUnknown>(
        *this, kFillOrderPositionGuid, std::make_shared<FillOrderPositionArgs>(chosen->variant, position));
    EXPECT_EQ(position.getSaleUnitsInOrderUnit().toString(), "0.500");

    const auto cancelled = choose(variants_);
    ASSERT_TRUE(cancelled);
    EXPECT_FALSE(cancelled->variant);
    EXPECT_EQ(dialogs->grids.back().columns.size(), 7u) << "no column of refusals when no variant is refused";
    // The grid returning a row it does not have is the dialogs' fault, not the user's.
    EXPECT_EQ(TestSupport::failure<std::logic_error>([&] { choose(variants_); }),
              "Okno \"Warianty\" zwróciło wiersz 3, a ma wierszy 2.");
}

}  // namespace

