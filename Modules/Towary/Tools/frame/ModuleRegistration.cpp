#include "Modules/Towary/Tools/frame/ModuleRegistration.h"

#include "Modules/Towary/Tools/classification/OrderingMethods.h"
#include "Modules/Towary/Tools/devices/KolektorImpl.h"
#include "Modules/Towary/Tools/devices/ReleaseUnusedScaleNumbersAction.h"
#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "Modules/Towary/Tools/plu/IdentifierFilter.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"
#include "Modules/Towary/Tools/status/ChangeActivityStatusAction.h"
#include "Modules/Towary/Tools/status/StatusChangeAction.h"
#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"
#include "Modules/Towary/Tools/ui/PurchaseConditionVariants.h"
#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"
#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"

#include <algorithm>

namespace Towary {
namespace {

// The units the module has, each in its place of kUnitRegistrationOrder.
constexpr std::array<UnitRegistration, 15> kUnits = {{
    {"registerActivityStatusChangeActionObjects", &registerActivityStatusChangeActionObjects},
    {"registerCommissionGroupBrowserObjects", &registerCommissionGroupBrowserObjects},
    {"registerEtykietyKolImplObjects", &registerEtykietyKolImplObjects},
    {"registerOrderingMethodsObjects", &registerOrderingMethodsObjects},
    {"registerReleaseUnusedScaleNumbersActionObjects", &registerReleaseUnusedScaleNumbersActionObjects},
    {"registerSendProductToCashRegisterObjects", &registerSendProductToCashRegisterObjects},
    {"registerSprawdzeniePoprawnosciPlu", &registerSprawdzeniePoprawnosciPlu},
    {"registerStatusChangeActionObjects", &registerStatusChangeActionObjects},
    {"registerStatusChangeBrowserObjects", &registerStatusChangeBrowserObjects},
    {"registerVatModifierFuncObjects", &registerVatModifierFuncObjects},
    {"registerVatModifierObjects", &registerVatModifierObjects},
    {"registerReturnReasonBrowserObjects", &registerReturnReasonBrowserObjects},
    {"registerIdentifierFilterControllerImplObjects", &registerIdentifierFilterControllerImplObjects},
    {"registerPurchaseConditionVariantControllerObjects", &registerPurchaseConditionVariantControllerObjects},
    {"registerPurchaseVariantSelectDialogObjects", &registerPurchaseVariantSelectDialogObjects},
}};

constexpr bool followsOrder() {
    auto position = kUnitRegistrationOrder.begin();
    for (const auto& unit : kUnits) {
        position = std::find(position, kUnitRegistrationOrder.end(), unit.name);
        if (position == kUnitRegistrationOrder.end()) return false;
        ++position;
    }
    return true;
}
static_assert(followsOrder(), "unit registration functions must follow the module's registration order");

}  // namespace

void registerModule(Core::Registrations& registrations) {
    for (const auto& unit : kUnits) unit.function(registrations);
}

}  // namespace Towary
