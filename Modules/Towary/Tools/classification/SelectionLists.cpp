#include "Modules/Towary/Tools/classification/SelectionLists.h"

#include "Core/Database/Query.h"
#include "Core/PlacedRuntimeError.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Modules/Towary/Tools/classification/ProductTypes.h"

#include <string>

namespace Core::VisualComponents {
namespace {

constexpr int kProductLevel = 6;
constexpr int kDeepestLevel = 5;

ComboBoxItem<int> entry(int code, std::string label) { return {false, code, std::move(label)}; }

// The list after one entry without a code.
CodeList with(const char* label, CodeList list) {
    list.insert(list.begin(), ComboBoxItem<int>{true, 0, label});
    return list;
}

CodeList levelsUpTo(int deepest) {
    CodeList levels;
    for (int level = 1; level <= deepest; ++level) levels.push_back(entry(level, "poziom " + std::to_string(level)));
    return levels;
}

}  // namespace

CodeList getProductTypes() {
    CodeList types;
    for (int code = 1; code <= 23; ++code)
        if (code != 16 && code != 20) types.push_back(entry(code, Towar::getProductTypeDescription(code)));
    return types;
}
CodeList getProductTypesWithAll() { return with("<wszystkie>", getProductTypes()); }
CodeList getProductTypesWithNone() { return with("<brak>", getProductTypes()); }

CodeList getProductWeightTypes() {
    return {entry(1, "towar lekki"), entry(2, "towar ze zmienną wagą"), entry(3, "towar niemożliwy do zważenia"),
            entry(4, "towar normalny")};
}
CodeList getProductWeightTypesWithNone() { return with("<brak>", getProductWeightTypes()); }

CodeList getBoolValues() { return {entry(0, "nie"), entry(1, "tak")}; }
CodeList getBoolValuesWithNone() { return with("<brak>", getBoolValues()); }

CodeList getSaleConditionsPeriods() {
    return {entry(0, ""), entry(1, "warunek trwa w okresie"), entry(2, "warunek rozpoczyna się w okresie"),
            entry(3, "warunek kończy się w okresie"), entry(4, "daty warunku zgodne z podanymi")};
}

CodeList getProductHierarchies() { return levelsUpTo(kDeepestLevel); }
CodeList getProductHierarchiesWithAll() { return with("<wszystkie>", getProductHierarchies()); }
CodeList getProductHierarchiesWithNone() { return with("<brak>", getProductHierarchies()); }

CodeList getUsedProductHierarchies() {
    DBKernel::Sql::OpenedQuery query("SELECT max(byCode) AS byCode FROM towar WHERE byCode <" +
                                     std::to_string(kProductLevel));
    if (query.empty())
        throw Core::PlacedLogicError("Couldn't find any product's levels.", __FILE__, __LINE__,
                                     "getUsedProductHierarchies");
    return levelsUpTo(query["byCode"].asInt());
}

CodeList getDiscountReasonList() {
    CodeList reasons;
    DBKernel::Sql::OpenedQuery query("select * from DiscountReasonDict");
    while (query.next()) reasons.push_back(entry(query["lDiscountReasonDictRef"].asInt(), query["sValue"].asString()));
    return reasons;
}

CodeList getProductActivityStatuses() {
    CodeList statuses;
    for (const auto& [id, description] : SingletonImplHolder::get<ProductActivityStatuses>().getAllStatuses())
        statuses.push_back(entry(id, description));
    return statuses;
}
CodeList getProductActivityStatusesWithAll() { return with("<wszystkie>", getProductActivityStatuses()); }
CodeList getProductActivityStatusesWithNone() { return with("<brak>", getProductActivityStatuses()); }
CodeList getSimpleProductActivityStatusList() { return getProductActivityStatuses(); }

}  // namespace Core::VisualComponents
