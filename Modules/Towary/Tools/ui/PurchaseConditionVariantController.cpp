#include "Core/Action/ActionContainer.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/ui/PurchaseConditionVariants.h"
#include "Modules/Towary/Tools/ui/PurchaseVariant.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Towary::ProductTools {

PurchaseVariantsArgs::~PurchaseVariantsArgs() = default;
ChosenPurchaseVariant::~ChosenPurchaseVariant() = default;
FillOrderPositionArgs::~FillOrderPositionArgs() = default;

namespace {

template <class Args>
const Args& argumentsOf(const boost::shared_ptr<Core::IUnknown>& args) {
    const auto* cast = dynamic_cast<const Args*>(args.get());
    if (cast == nullptr) throw Core::castError();
    return *cast;
}

class ShowDialogAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        const auto& variants = argumentsOf<PurchaseVariantsArgs>(args).variants;
        const auto& units = Core::SingletonImplHolder::get<Core::AvailMeasureUnits>();
        Core::TGridChoiceArgs grid{kPurchaseVariantDialogCaption, variantGridColumns(), {}};
        std::vector<std::string> refusals;
        for (const auto& variant : variants) {
            grid.rows.push_back(variantGridRow(*variant));
            refusals.push_back(variantRefusal(*variant, units).value_or(""));
        }
        // A variant the fill refuses stays in the grid with its reason; the others can still be chosen.
        if (std::any_of(refusals.begin(), refusals.end(), [](const auto& refusal) { return !refusal.empty(); })) {
            grid.columns.push_back({"REFUSAL", "Odrzucony", Core::TGridColumn::Align::Left});
            for (std::size_t row = 0; row < refusals.size(); ++row) grid.rows[row].push_back(refusals[row]);
        }
        const auto row = Core::TGridChoiceDialog(grid);
        // The dialogs are the host's: a row past the grid is their mistake, told in words, not as an index error.
        if (row && *row >= variants.size())
            throw std::logic_error("Okno \"" + grid.caption + "\" zwróciło wiersz " + std::to_string(*row + 1) +
                                   ", a ma wierszy " + std::to_string(variants.size()) + ".");
        return std::make_shared<ChosenPurchaseVariant>(row ? variants.at(*row) : nullptr);
    }
};

class FillOrderPositionAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        const auto& fill = argumentsOf<FillOrderPositionArgs>(args);
        if (!fill.variant) throw Core::castError();
        fillOrderPosition(*fill.variant, fill.position, Core::SingletonImplHolder::get<Core::AvailMeasureUnits>());
        return {};
    }
};

}  // namespace

}  // namespace Towary::ProductTools

void registerPurchaseConditionVariantControllerObjects(Core::Registrations& registrations) {
    using namespace Towary::ProductTools;
    const Core::SrcInfo source{"Modules/Towary/Tools/PurchaseConditionVariantController", __LINE__,
                               "registerPurchaseConditionVariantControllerObjects"};
    registrations.add(
        Core::regActionCreator(kShowPurchaseVariantDialogGuid, Core::creatorOf<ShowDialogAction>(), source), source);
    registrations.add(Core::regActionCreator(kFillOrderPositionGuid, Core::creatorOf<FillOrderPositionAction>(), source),
                      source);
}
