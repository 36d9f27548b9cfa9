#include "Modules/Towary/Tools/classification/OrderingMethods.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <stdexcept>

namespace Towar {
namespace {

Orvel::TKey offeredMethodsKey() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "Zamówienia", "Dostępne algorytmy zamawiania"});
}

template <class Key>
std::map<Key, std::string> mapWith(const char* label) {
    std::map<Key, std::string> methods;
    for (auto& [type, text] : getOrderingMethodsMap()) methods.emplace(type, std::move(text));
    methods.emplace(std::nullopt, label);
    return methods;
}

}  // namespace

std::vector<std::pair<OrderingMethod::Type, std::string>> getOrderingMethods() {
    const Orvel::TKey key = offeredMethodsKey();
    std::vector<std::pair<OrderingMethod::Type, std::string>> methods;
    for (const Orvel::TKey& method : key) {
        const std::string name = method.GetName();
        // The string list gives a method as "NAME\tTYPE" on one line of the combo's items: a tab or a
        // line break in the name would make another item of it, or a wrong type.
        if (name.find_first_of("\t\n\r") != std::string::npos)
            throw std::logic_error("Nazwa algorytmu zamawiania \"" + name + "\" w\n" + key.GetRep().strPath +
                                   "\n(plik " + key.file().string() +
                                   ") ma tabulator lub koniec wiersza, a lista algorytmów podaje nazwę, tabulator "
                                   "i typ w jednym wierszu. Popraw nazwę w pliku ustawień.");
        methods.emplace_back(method.GetVal<int>(), name);
    }
    // No built-in methods: a store that lists none has lost its setting.
    if (methods.empty())
        throw std::logic_error("Ustawienia sklepu nie podają żadnego algorytmu zamawiania: brak kluczy w\n" +
                               key.GetRep().strPath + "\n(plik " + key.file().string() + ").");
    return methods;
}

std::map<OrderingMethod::Type, std::string> getOrderingMethodsMap() {
    std::map<OrderingMethod::Type, std::string> methods;
    for (auto& [type, text] : getOrderingMethods()) methods.emplace(type, std::move(text));
    return methods;
}

std::vector<std::string> getOrderingMethodsStringList() {
    std::vector<std::string> lines;
    for (const auto& [type, text] : getOrderingMethods()) lines.push_back(text + "\t" + std::to_string(type));
    return lines;
}

std::map<std::optional<OrderingMethod::Type>, std::string> getOrderingMethodsWithAll() {
    return mapWith<std::optional<OrderingMethod::Type>>("<wszystkie>");
}

std::map<std::optional<OrderingMethod::Type>, std::string> getOrderingMethodsWithNone() {
    return mapWith<std::optional<OrderingMethod::Type>>("<brak>");
}

OrderingMethods::OrderingMethods()
    : texts_(getOrderingMethodsMap()), usedStocks_{{1, {1, 2}}, {2, {3}}, {3, {}}, {4, {}}, {5, {}}, {6, {}}} {}

std::string OrderingMethods::getOrderingMethodText(OrderingMethod::Type type) const {
    const auto text = texts_.find(type);
    return text == texts_.end() ? std::string() : text->second;
}

std::set<int> OrderingMethods::getUsedStocks(OrderingMethod::Type type) const {
    const auto stocks = usedStocks_.find(type);
    return stocks == usedStocks_.end() ? std::set<int>() : stocks->second;
}

}  // namespace Towar

void registerOrderingMethodsObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/OrderingMethods", __LINE__, "registerOrderingMethodsObjects"};
    registrations.add(Core::SingletonImplHolder::holder(typeid(Towar::OrderingMethods))
                          .regImpl(Core::SingletonCreator::of<Towar::OrderingMethods>()),
                      source);
}
