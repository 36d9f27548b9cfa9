#include "Modules/Towary/Tools/conditions/BaseProductToolsChecker.h"

#include "Core/Database/Query.h"
#include "Core/tools/ListText.h"

#include <boost/format.hpp>

#include <algorithm>

namespace Towary::ProductTools {
namespace {

// The GUIDs of the assortment lists valid today that hold the product %1%.
constexpr const char* kAssortmentsOfProductToday =
    "\n select a.guid from Asort a, AsortPos ap\n where \n \ta.lAsortRef = ap.lAsortRef\n\t\tand ap.lTowarRef = "
    "%1%\n \tand (floor(borlandsysdate) between a.dataOd and a.dataDo)";

}  // namespace

BaseProductToolsChecker::BaseProductToolsChecker(Orvel::TKey lockKey) : lockKey_(std::move(lockKey)) {}

BaseProductToolsChecker::~BaseProductToolsChecker() = default;

bool BaseProductToolsChecker::itemAddingEnabled() const { return !lockKey_.GetVal<bool>(); }

bool BaseProductToolsChecker::itemAdding(TTowar* product) const {
    if (itemAddingEnabled()) return true;
    if (isGroupExcluded(lockKey_.GetKey("Grupy towarowe - wyjątki").GetVal<std::string>(), product->GetGrIndex()))
        return true;
    if (isItemExcluded(lockKey_.GetKey("Indeksy towarów - wyjątki").GetVal<std::string>(), product->GetArtIndex()))
        return true;
    const auto assortments = lockKey_.GetKey("Listy asortymentowe - wyjątki").GetVal<std::string>();
    if (assortments.empty()) return false;
    return inExcludedAssortment(assortments, *product);
}

bool BaseProductToolsChecker::inExcludedAssortment(const std::string& list, const TTowar& product) const {
    DBKernel::Sql::OpenedQuery query(boost::str(boost::format(kAssortmentsOfProductToday) % product.GetTowarRef()));
    const auto excluded = tokens(list);
    while (query.next()) {
        const auto guid = query["guid"].asString();
        if (std::find(excluded.begin(), excluded.end(), guid) != excluded.end()) return true;
    }
    return false;
}

bool BaseProductToolsChecker::isGroupExcluded(const std::string& list, const std::string& groupIndex) const {
    const auto groups = tokens(list);
    return std::any_of(groups.begin(), groups.end(),
                       [&](const std::string& group) { return groupIndex.substr(0, group.size()) == group; });
}

bool BaseProductToolsChecker::isItemExcluded(const std::string& list, const std::string& item) const {
    const auto items = tokens(list);
    return std::find(items.begin(), items.end(), item) != items.end();
}

void BaseProductToolsChecker::changeLockKey(Orvel::TKey lockKey) { lockKey_ = std::move(lockKey); }

std::vector<std::string> BaseProductToolsChecker::tokens(const std::string& list) const {
    return Core::splitList(list, separators_, Core::EmptyItems::drop);
}

}  // namespace Towary::ProductTools
