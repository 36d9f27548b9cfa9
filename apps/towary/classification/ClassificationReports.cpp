#include "apps/towary/classification/ClassificationReports.h"

#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/VisualComponents/ItemsText.h"
#include "Modules/Towary/Tools/classification/CJmComboWrapper.h"
#include "Modules/Towary/Tools/classification/OrderingMethods.h"
#include "Modules/Towary/Tools/classification/SelectionLists.h"
#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/replace.hpp>

#include <functional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace Towary::Host::ClassificationReports {
namespace {

namespace VC = Core::VisualComponents;

struct NamedList {
    std::string name;
    std::function<VC::CodeList()> list;
};

const std::vector<NamedList>& lists() {
    static const std::vector<NamedList> named = {
        {"product-types", VC::getProductTypes},
        {"product-types-with-all", VC::getProductTypesWithAll},
        {"product-types-with-none", VC::getProductTypesWithNone},
        {"weight-types", VC::getProductWeightTypes},
        {"weight-types-with-none", VC::getProductWeightTypesWithNone},
        {"bool-values", VC::getBoolValues},
        {"bool-values-with-none", VC::getBoolValuesWithNone},
        {"sale-condition-periods", VC::getSaleConditionsPeriods},
        {"hierarchies", VC::getProductHierarchies},
        {"hierarchies-with-all", VC::getProductHierarchiesWithAll},
        {"hierarchies-with-none", VC::getProductHierarchiesWithNone},
        {"used-hierarchies", VC::getUsedProductHierarchies},
        {"discount-reasons", VC::getDiscountReasonList},
        {"activity-statuses", VC::getProductActivityStatuses},
        {"activity-statuses-with-all", VC::getProductActivityStatusesWithAll},
        {"activity-statuses-with-none", VC::getProductActivityStatusesWithNone},
        {"measure-units", [] { return VC::itemsFromText(CJmComboWrapper::itemsText()); }},
        {"ordering-methods",
         [] {
             VC::CodeList methods;
             for (auto& [type, text] : Towar::getOrderingMethods()) methods.push_back({false, type, std::move(text)});
             return methods;
         }},
    };
    return named;
}

// A label as one field of a tab-separated line: a backslash, a tab or a line
// break in it (a discount reason or a status name as the store holds it)
// written as "\\", "\t", "\n", "\r", so that every entry stays one line of
// three fields.
std::string tsvField(std::string text) {
    boost::algorithm::replace_all(text, "\\", "\\\\");
    boost::algorithm::replace_all(text, "\t", "\\t");
    boost::algorithm::replace_all(text, "\n", "\\n");
    boost::algorithm::replace_all(text, "\r", "\\r");
    return text;
}

void printList(const NamedList& named, bool tsv, std::ostream& out) {
    const VC::CodeList list = named.list();
    if (!tsv) out << named.name << ":\n";
    for (const auto& item : list) {
        const std::string code = item.none ? (tsv ? "" : "-") : std::to_string(item.value);
        if (tsv)
            out << named.name << '\t' << code << '\t' << tsvField(item.text) << '\n';
        else
            out << "  " << code << "  " << item.text << '\n';
    }
}

}  // namespace

const std::vector<std::string>& listNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& named : lists()) all.push_back(named.name);
        return all;
    }();
    return names;
}

void printLists(const std::optional<std::string>& name, bool tsv, std::ostream& out) {
    // A list that cannot be read (a store without ordering methods) leaves no half of the output behind.
    std::ostringstream text;
    for (const auto& named : lists())
        if (!name || named.name == *name) printList(named, tsv, text);
    out << text.str();
}

void printStock(const std::string& product, int excludedDocument, TSessionHolder session, std::ostream& out) {
    const int id = findProduct(product, session, "stan ma tylko towar, nie grupa.")->GetTowarRef();
    // All three read before anything is printed: a quantity the store cannot give leaves no half line.
    const double stock = Towar::calcStock(id);
    const double reserved = Towar::calcReserved(id, excludedDocument);
    const double inService = Towar::calcInService(id);
    out << "Stan: " << numberText(stock) << '\n'
        << "Zarezerwowano: " << numberText(reserved) << '\n'
        << "W serwisie: " << numberText(inService) << '\n';
}

void printOrdering(std::ostream& out) {
    const auto& methods = Core::SingletonImplHolder::get<Towar::OrderingMethods>();
    for (const auto& [type, text] : Towar::getOrderingMethods()) {
        std::vector<std::string> levels;
        for (int level : methods.getUsedStocks(type)) levels.push_back(std::to_string(level));
        out << type << '\t' << text << "\tpoziomy zapasu: " << (levels.empty() ? "brak" : boost::algorithm::join(levels, ", "))
            << '\n';
    }
}

}  // namespace Towary::Host::ClassificationReports
