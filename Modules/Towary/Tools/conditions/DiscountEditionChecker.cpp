#include "Modules/Towary/Tools/conditions/DiscountEditionChecker.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

namespace Towary::ProductTools {

DiscountEditionChecker::DiscountEditionChecker(AutomaticDiscounts::Kind kind)
    : BaseProductToolsChecker(lockKeyOf(discountsKey(), kind)), kind_(kind), discounts_(discountsKey()) {}

Orvel::TKey DiscountEditionChecker::discountsKey() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "Towary", "Przeceny"});
}

Orvel::TKey DiscountEditionChecker::lockKeyOf(const Orvel::TKey& discounts, AutomaticDiscounts::Kind kind) {
    return discounts.GetSubKey({getSetupKeyName(kind), "Blokada dodawania przecen"});
}

void DiscountEditionChecker::changeDiscountType(AutomaticDiscounts::Kind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    changeLockKey(lockKeyOf(discounts_, kind));
}

bool DiscountEditionChecker::discountAdding(AutomaticDiscounts::Kind kind) {
    changeDiscountType(kind);
    return itemAddingEnabled();
}

bool DiscountEditionChecker::discountAdding(AutomaticDiscounts::Kind kind, TTowar* product) {
    changeDiscountType(kind);
    return itemAdding(product);
}

std::string DiscountEditionChecker::getSetupKeyName(AutomaticDiscounts::Kind kind) {
    return kind == AutomaticDiscounts::Automatic ? "Przeceny automatyczne" : "Przeceny na wybrane sztuki";
}

}  // namespace Towary::ProductTools
