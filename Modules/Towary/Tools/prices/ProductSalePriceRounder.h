#pragma once
// Product::Tools::ProductSalePriceRounder: rounds the gross sale prices of one
// product, or of the products of one group, by the rule the store's settings
// give that group (under "Parametry programu / Towary / Zaokrąglanie cen
// sprzedaży"). The rule and its threshold are chosen when the rounder is made
// and kept; copies share them.
//
// Rounding to zero on the last position, when it is on ("Włączone") and the
// group index begins with the name of an entry of its "Grupy", wins; else
// psychological rounding when it is on; else prices are left as they are.

#include "Core/Export.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Product::Tools {

class ISalePriceRounder;

class TOWARY_EXPORT ProductSalePriceRounder {
public:
    // The rule of the product's group (sGrIndex of its towar row). Throws
    // std::runtime_error "Brak towaru o identyfikatorze N." for an id without
    // a row, and the setup-key store's exception for a missing setting.
    explicit ProductSalePriceRounder(std::int64_t productId);
    // The rule of the group index. Throws for a missing setting.
    explicit ProductSalePriceRounder(const std::string& groupIndex);

    // Whether either rounding is switched on, read afresh from the settings,
    // whatever rule this rounder has.
    bool isEnabled() const;
    // The price rounded by the rule.
    double roundSalePrice(double price) const;

private:
    std::shared_ptr<const ISalePriceRounder> rounder_;
};

}  // namespace Product::Tools
