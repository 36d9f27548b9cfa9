#pragma once
// Towary::ProductTools::DiscountEditionChecker: whether a store may add a
// discount of a kind, for any product or for one product, under the lock key
// "Parametry programu / Towary / Przeceny / SECTION / Blokada dodawania
// przecen" of the kind and its exception lists. Asked about another kind, it
// switches to that kind's lock key; the settings are read at every call.

#include "Core/Products/AutomaticDiscounts.h"
#include "Modules/Towary/Tools/conditions/BaseProductToolsChecker.h"

#include <string>

namespace Towary::ProductTools {

class TOWARY_EXPORT DiscountEditionChecker : public BaseProductToolsChecker {
public:
    explicit DiscountEditionChecker(AutomaticDiscounts::Kind kind);

    // Makes the kind current, with its lock key, when it is not.
    void changeDiscountType(AutomaticDiscounts::Kind kind);
    // Discounts of the kind are not locked.
    bool discountAdding(AutomaticDiscounts::Kind kind);
    // A discount of the kind may be added for the product (itemAdding).
    bool discountAdding(AutomaticDiscounts::Kind kind, TTowar* product);
    // "Przeceny automatyczne" for automatic discounts, "Przeceny na wybrane sztuki" for any other kind.
    static std::string getSetupKeyName(AutomaticDiscounts::Kind kind);

private:
    static Orvel::TKey discountsKey();
    static Orvel::TKey lockKeyOf(const Orvel::TKey& discounts, AutomaticDiscounts::Kind kind);

    AutomaticDiscounts::Kind kind_;
    Orvel::TKey discounts_;
};

}  // namespace Towary::ProductTools
