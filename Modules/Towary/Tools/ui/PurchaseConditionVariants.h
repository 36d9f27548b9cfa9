#pragma once
// The purchase-condition variants of the host's order form, reached through
// three actions registered by GUID: the selection dialog's opener, the
// dialog itself (a read-only grid "Warianty", one row per variant) and the
// fill of an order position from the chosen variant. Their arguments and
// results are the classes below.

#include "Core/IUnknown.h"
#include "Core/Orders/OrderPos.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/ui/VariantDocument.h"

#include <vector>

namespace Towary::ProductTools {

// ShowDialogAction: PurchaseVariantsArgs in, ChosenPurchaseVariant out; shows the grid.
inline constexpr const char* kShowPurchaseVariantDialogGuid = "{C26250FA-46E7-42DD-94DE-573105942EEC}";
// FillOrderPositionAction: FillOrderPositionArgs in, nothing out.
inline constexpr const char* kFillOrderPositionGuid = "{1CF59573-D5AE-4823-85A3-D7686EAD3652}";
// The selection dialog's opener: PurchaseVariantsArgs in, ChosenPurchaseVariant out.
inline constexpr const char* kPurchaseVariantSelectDialogGuid = "{8A83E243-8E59-4912-AA84-B3878C5F48F4}";

// The caption of the selection dialog.
inline constexpr const char* kPurchaseVariantDialogCaption = "Warianty";

class TOWARY_EXPORT PurchaseVariantsArgs : public virtual Core::IUnknown {
public:
    explicit PurchaseVariantsArgs(std::vector<VariantNodePtr> all) : variants(std::move(all)) {}
    ~PurchaseVariantsArgs() override;

    std::vector<VariantNodePtr> variants;
};

class TOWARY_EXPORT ChosenPurchaseVariant : public virtual Core::IUnknown {
public:
    explicit ChosenPurchaseVariant(VariantNodePtr chosen) : variant(std::move(chosen)) {}
    ~ChosenPurchaseVariant() override;

    VariantNodePtr variant;  // empty when the user cancelled
};

class TOWARY_EXPORT FillOrderPositionArgs : public virtual Core::IUnknown {
public:
    FillOrderPositionArgs(VariantNodePtr chosen, Orvel::Orders::OrderPos& orderPosition)
        : variant(std::move(chosen)), position(orderPosition) {}
    ~FillOrderPositionArgs() override;

    VariantNodePtr variant;
    Orvel::Orders::OrderPos& position;
};

}  // namespace Towary::ProductTools

TOWARY_EXPORT void registerPurchaseConditionVariantControllerObjects(Core::Registrations& registrations);
TOWARY_EXPORT void registerPurchaseVariantSelectDialogObjects(Core::Registrations& registrations);
