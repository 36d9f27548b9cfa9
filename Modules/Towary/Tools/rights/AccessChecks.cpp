#include "Modules/Towary/Tools/rights/AccessChecks.h"

#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <algorithm>

namespace GroupRights {
namespace {

// A multi-price ware's grouping product (byTyp 9): it lives
// one level below the group its elements belong to.
constexpr int kGroupingProductType = 9;

bool allProductsHave(const TTowarCollection& products, const Container& container, Rights::Kind kind) {
    return std::all_of(products.begin(), products.end(), [&](const TTowarPtr& product) {
        std::string index = product->GetGrIndex();
        if (product->GetTyp() == kGroupingProductType)
            index = std::string(Core::Utf8::substr(index, 0, static_cast<std::size_t>(Towar::previousIndexLength(index))));
        return container.getRights(index)[kind].granted();
    });
}

}  // namespace

bool isAccessGranted(const Container& container, const std::string& index) {
    if (container.allRightsGranted()) return true;
    // The keys that begin with the first k characters of the index are one
    // run of the sorted list; each longer beginning narrows the run.
    const auto& keys = container.sortedIndexes();
    auto first = keys.begin();
    auto last = keys.end();
    for (std::size_t length = 1; length <= index.size(); ++length) {
        const std::string prefix = index.substr(0, length);
        first = std::lower_bound(first, last, prefix);
        last = std::partition_point(first, last, [&](const std::string& key) { return key.starts_with(prefix); });
        if (first == last) return false;
        if (*first == prefix) return true;
    }
    return false;
}

bool canShowAllProducts(boost::shared_ptr<TTowarCollection> products, const Container& container) {
    return allProductsHave(*products, container, Rights::browseGroup);
}

bool canEditAllProducts(boost::shared_ptr<TTowarCollection> products, const Container& container) {
    return allProductsHave(*products, container, Rights::modifyProduct);
}

}  // namespace GroupRights
