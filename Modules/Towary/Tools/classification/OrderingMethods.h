#pragma once
// The ordering methods a store offers: each child key of "Parametry programu /
// Zamówienia / Dostępne algorytmy zamawiania" is one, its name the method's
// text and its integer value the method's type. The free functions read the
// setting afresh at every call; Towar::OrderingMethods, the module's singleton
// implementation, reads it once, when it is made. Which stock levels a method
// works with is fixed here.

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Towar {

namespace OrderingMethod {
using Type = int;
}

// The offered methods as (type, text), in the order of the settings file.
// Throws std::logic_error when the setting lists none, a child key holds no
// integer, or a name holds a tab or a line break (the string list's item
// would break).
TOWARY_EXPORT std::vector<std::pair<OrderingMethod::Type, std::string>> getOrderingMethods();
// The same by type; of two keys with one type, the first.
TOWARY_EXPORT std::map<OrderingMethod::Type, std::string> getOrderingMethodsMap();
// One line per offered method: the text, a tab and the type in decimal, the
// item format of the host's combo boxes.
TOWARY_EXPORT std::vector<std::string> getOrderingMethodsStringList();
// The map with one more entry without a type: "<wszystkie>", "<brak>".
TOWARY_EXPORT std::map<std::optional<OrderingMethod::Type>, std::string> getOrderingMethodsWithAll();
TOWARY_EXPORT std::map<std::optional<OrderingMethod::Type>, std::string> getOrderingMethodsWithNone();

class TOWARY_EXPORT OrderingMethods {
public:
    // Reads the offered methods once.
    OrderingMethods();
    virtual ~OrderingMethods() = default;

    // The text the store gives the type; "" for a type it does not offer.
    virtual std::string getOrderingMethodText(OrderingMethod::Type type) const;
    // The stock levels the method works with; none for a type without any.
    virtual std::set<int> getUsedStocks(OrderingMethod::Type type) const;

private:
    std::map<OrderingMethod::Type, std::string> texts_;
    std::map<OrderingMethod::Type, std::set<int>> usedStocks_;
};

}  // namespace Towar

// Registers Towar::OrderingMethods as the implementation of its singleton.
TOWARY_EXPORT void registerOrderingMethodsObjects(Core::Registrations& registrations);
