#pragma once
// Tools::AlternativePriceManager: the alternative prices of a sale condition,
// the other prices a cash register may offer for the product, as an ascending
// set. The condition stores them as XML ("alternative_prices" holding one
// "price" element each); an empty set is stored as "".

#include "Core/Export.h"
#include "Core/Price/Price.h"

#include <set>
#include <string>

namespace Tools {

class TOWARY_EXPORT AlternativePriceManager {
public:
    // The prices of the stored XML, read by the store's XML parser; "" gives
    // none. A document that does not parse, or a price that is not a number,
    // fails with the parser's message.
    explicit AlternativePriceManager(const std::string& xml = {});

    // The XML to store ("" for no prices); numbers written in the "C" locale,
    // or in the process's global locale when globalLocale is true.
    std::string generateXML(bool globalLocale) const;
    void addAlternativePrices(const Core::Price& price);
    void addAlternativePrices(const std::set<Core::Price>& prices);
    const std::set<Core::Price>& getAlternativePrices() const { return prices_; }
    // The prices, ascending, joined by "&#160;" (a label's non-breaking space).
    std::string getCharSeparatedAlternativePrices() const;

    // The setting "Inne" / "Obsługa wielu cen sprzedaży na kasie".
    static bool isAlternativePriceSupported();
    // Whether products of the group may have alternative prices: supported,
    // and the group index begins with a line of "Dozwolone dla grup towarowych".
    static bool isEnabledForGroup(const std::string& groupIndex);

private:
    std::set<Core::Price> prices_;
};

}  // namespace Tools
