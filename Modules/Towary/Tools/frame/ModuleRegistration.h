#pragma once
// The module registration function and the fixed order of its units.

#include "Core/registration/Registrations.h"

#include <array>
#include <string_view>

namespace Towary {

// The unit registration functions, in the order the module calls them.
inline constexpr std::array<std::string_view, 15> kUnitRegistrationOrder = {
    "registerActivityStatusChangeActionObjects",
    "registerCommissionGroupBrowserObjects",
    "registerEtykietyKolImplObjects",
    "registerOrderingMethodsObjects",
    "registerReleaseUnusedScaleNumbersActionObjects",
    "registerSendProductToCashRegisterObjects",
    "registerSprawdzeniePoprawnosciPlu",
    "registerStatusChangeActionObjects",
    "registerStatusChangeBrowserObjects",
    "registerVatModifierFuncObjects",
    "registerVatModifierObjects",
    "registerReturnReasonBrowserObjects",
    "registerIdentifierFilterControllerImplObjects",
    "registerPurchaseConditionVariantControllerObjects",
    "registerPurchaseVariantSelectDialogObjects",
};

// A unit's registration function, appending its registrations to the list.
struct UnitRegistration {
    std::string_view name;
    void (*function)(Core::Registrations&);
};

// Calls the registration functions of the module's units in their order.
void registerModule(Core::Registrations& registrations);

}  // namespace Towary
