#include "Modules/Towary/Tools/prices/AlternativePriceManager.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Xml/Parser.h"
#include "Core/Xml/WriterBase.h"
#include "Core/tools/ListText.h"

#include <locale>
#include <sstream>

namespace Tools {
namespace {

Orvel::TKey alternativePricesKey() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Inne", "Obsługa wielu cen sprzedaży na kasie"});
}

}  // namespace

AlternativePriceManager::AlternativePriceManager(const std::string& xml) {
    if (xml.empty()) return;
    const auto parser = Xml::Parser::Factory::instance().create(Xml::xmlParserId());
    parser->parse(xml);
    const auto nodes = parser->selectNodes("alternative_prices/price");
    for (std::size_t i = 0; i < nodes.count(); ++i) prices_.insert(Core::Price(nodes.item(i).numberValue()));
}

std::string AlternativePriceManager::generateXML(bool globalLocale) const {
    if (prices_.empty()) return {};
    std::ostringstream out;
    out.imbue(globalLocale ? std::locale() : std::locale::classic());
    Core::Xml::WriterBase writer(out);
    writer.startNode("alternative_prices");
    for (const auto& price : prices_) writer.element("price", price);
    writer.close();
    return out.str();
}

void AlternativePriceManager::addAlternativePrices(const Core::Price& price) { prices_.insert(price); }

void AlternativePriceManager::addAlternativePrices(const std::set<Core::Price>& prices) {
    prices_.insert(prices.begin(), prices.end());
}

std::string AlternativePriceManager::getCharSeparatedAlternativePrices() const {
    std::ostringstream out;
    for (auto price = prices_.begin(); price != prices_.end(); ++price)
        out << (price == prices_.begin() ? "" : "&#160;") << *price;
    return out.str();
}

bool AlternativePriceManager::isAlternativePriceSupported() { return alternativePricesKey().GetVal<bool>(); }

bool AlternativePriceManager::isEnabledForGroup(const std::string& groupIndex) {
    if (!isAlternativePriceSupported()) return false;
    const auto groups =
        alternativePricesKey().GetKey("Dozwolone dla grup towarowych").GetVal<std::string>();
    for (const auto& group : Core::splitList(groups, "\n", Core::EmptyItems::drop))
        if (groupIndex.starts_with(group)) return true;
    return false;
}

}  // namespace Tools
