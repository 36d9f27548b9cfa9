#include "Core/Action/ActionContainer.h"
#include "Modules/Towary/Tools/ui/PurchaseConditionVariants.h"

namespace Towary::ProductTools {
namespace {

// Opens the selection dialog: the dialog's work is ShowDialogAction's, reached by its GUID.
class DefaultAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute2(const boost::shared_ptr<Core::IUnknown>& args) override {
        return Core::Action::CContainer::invoke<ChosenPurchaseVariant>(*this, kShowPurchaseVariantDialogGuid,
                                                                       Core::fromBoost(args));
    }
};

}  // namespace
}  // namespace Towary::ProductTools

void registerPurchaseVariantSelectDialogObjects(Core::Registrations& registrations) {
    using namespace Towary::ProductTools;
    const Core::SrcInfo source{"Modules/Towary/Tools/PurchaseVariantSelectDialog", __LINE__,
                               "registerPurchaseVariantSelectDialogObjects"};
    registrations.add(
        Core::regActionCreator(kPurchaseVariantSelectDialogGuid, Core::creatorOf<DefaultAction>(), source), source);
}
