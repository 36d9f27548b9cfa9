#include "Modules/Towary/Tools/ui/PurchaseVariant.h"

#include "Core/tools/Numbers.h"

#include <stdexcept>

namespace Towary::ProductTools {
namespace {

// The least value an amount of a variant may have: prices and the logistic
// minimum may be zero, the sale units in an order unit must be at least the
// last place of a quantity (an order unit of no sale units means nothing).
enum class Least { zero, onePlace };

// The typed values of one variant's elements.
class VariantReader {
public:
    explicit VariantReader(const VariantNode& variant) : variant_(variant) {}

    std::string text(const char* element) const {
        if (auto value = variant_.childText(element)) return *value;
        throw failure(std::string("brak elementu \"") + element + "\".");
    }
    // The text of an optional element; none when it is absent or empty.
    std::optional<std::string> optionalText(const char* element) const {
        auto value = variant_.childText(element);
        if (value && value->empty()) return std::nullopt;
        return value;
    }
    template <class Amount>
    Amount decimal(const char* element, Least least = Least::zero) const {
        return toDecimal<Amount>(element, text(element), least);
    }
    template <class Amount>
    std::optional<Amount> optionalDecimal(const char* element) const {
        if (const auto value = optionalText(element)) return toDecimal<Amount>(element, *value, Least::zero);
        return std::nullopt;
    }
    // The code of the store's measure unit the element names.
    int unitCode(const char* element, const Core::AvailMeasureUnits& units) const {
        const auto name = text(element);
        try {
            return units.find(name).id();
        } catch (const std::runtime_error& e) {  // the list is in memory: only its own refusal
            throw failure(std::string("element \"") + element + "\": " + e.what());
        }
    }
    // A grid cell: what `value` reads of the element, or, when the fill would
    // refuse it, the element's text as the variant holds it.
    template <class Value>
    std::string cell(const char* element, Value value) const {
        try {
            return value();
        } catch (const std::runtime_error&) {
            return variant_.childText(element).value_or("");
        }
    }
    // An optional flag: "true" or "1", "false" or "0"; false when absent or empty.
    bool flag(const char* element) const {
        const auto value = optionalText(element);
        if (!value || *value == "false" || *value == "0") return false;
        if (*value == "true" || *value == "1") return true;
        throw failure(wrongValue(element, *value) + "true albo false.");
    }

private:
    template <class Amount>
    Amount toDecimal(const char* element, const std::string& value, Least least) const {
        const auto number = Core::parseNumber<double>(value);
        if (!number)
            throw failure(wrongValue(element, value) + "liczbę (z kropką dziesiętną).");
        Amount amount;
        try {
            amount = Amount(*number);
        } catch (const std::range_error& e) {
            throw failure(std::string("element \"") + element + "\": " + e.what());
        }
        const auto lowest = Amount::fromUnits(least == Least::zero ? 0 : 1);
        if (amount < lowest)
            throw failure(wrongValue(element, value) +
                          (least == Least::zero ? std::string("liczbę nieujemną.")
                                                : "liczbę nie mniejszą niż " + lowest.toString() + "."));
        return amount;
    }
    static std::string wrongValue(const char* element, const std::string& value) {
        return std::string("element \"") + element + "\" ma wartość \"" + value + "\", a powinien zawierać ";
    }
    std::runtime_error failure(const std::string& what) const {
        return std::runtime_error("Wariant " + std::to_string(variant_.number()) + ": " + what);
    }

    const VariantNode& variant_;
};

}  // namespace

void fillOrderPosition(const VariantNode& variant, Orvel::Orders::OrderPos& position,
                       const Core::AvailMeasureUnits& units) {
    const VariantReader read(variant);
    Orvel::Orders::OrderPos filled = position;
    filled.setLogisticMinimum(boost::none);
    const auto netPrice = read.decimal<Core::PurchasePrice>("netPurchasePrice");
    filled.setCurrencyPurchasePrice(netPrice);
    filled.setPurchasePrice(netPrice);
    filled.setPurchaseMeasureUnit(read.unitCode("purchaseMeasureUnit", units));
    filled.setSaleUnitsInOrderUnit(read.decimal<Core::Quantity>("purchaseMeasureUnitRate", Least::onePlace));
    if (const auto minimum = read.optionalDecimal<Core::Quantity>("logisticMinimum"))
        filled.setLogisticMinimum(*minimum);
    filled.setPurchasePriceBeforeDiscount(read.decimal<Core::PurchasePrice>("catalogNetPurchasePrice"));
    filled.setProviderProductIndex(read.optionalText("supplierIndex").value_or(""));
    filled.setClearanceSale(read.flag("clearanceSale"));
    position = filled;
}

std::vector<Core::TGridColumn> variantGridColumns() {
    using Align = Core::TGridColumn::Align;
    return {
        {"SUPPLIER_INDEX", "Indeks towaru dostawcy", Align::Left},
        {"NET_PURCHASE_PRICE", "Cena zakupu\nnetto", Align::Right},
        {"CATALOG_NET_PURCHASE_PRICE", "Katalogowa\ncena zakupu", Align::Right},
        {"LOGISTIC_MINIMUM", "Minimum\nlogistyczne", Align::Right},
        {"CLEARANCE_SALE", "Wyprzedaż", Align::Centre},
        {"PURCHASE_MEASURE_UNIT", "Jednostka\nzamówienia", Align::Left},
        {"PURCHASE_MEASURE_UNIT_RATE", "Liczba jm. sprzedaży\nw jm. zamawienia", Align::Right},
    };
}

std::vector<std::string> variantGridRow(const VariantNode& variant) {
    const VariantReader read(variant);
    const auto price = [&read](const char* element) {
        return read.cell(element, [&] { return read.decimal<Core::PurchasePrice>(element).toString(); });
    };
    return {
        read.optionalText("supplierIndex").value_or(""),
        price("netPurchasePrice"),
        price("catalogNetPurchasePrice"),
        read.cell("logisticMinimum",
                  [&] {
                      const auto minimum = read.optionalDecimal<Core::Quantity>("logisticMinimum");
                      return minimum ? minimum->toString() : "";
                  }),
        read.cell("clearanceSale", [&] { return std::string(read.flag("clearanceSale") ? "✓" : ""); }),
        read.cell("purchaseMeasureUnit", [&] { return read.text("purchaseMeasureUnit"); }),
        read.cell("purchaseMeasureUnitRate",
                  [&] { return read.decimal<Core::Quantity>("purchaseMeasureUnitRate", Least::onePlace).toString(); }),
    };
}

std::optional<std::string> variantRefusal(const VariantNode& variant, const Core::AvailMeasureUnits& units) {
    Orvel::Orders::OrderPos scratch;
    try {
        fillOrderPosition(variant, scratch, units);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return std::nullopt;
}

}  // namespace Towary::ProductTools
