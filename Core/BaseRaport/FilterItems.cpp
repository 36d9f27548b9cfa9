#include "Core/BaseRaport/FilterItems.h"

#include <algorithm>

namespace BaseRaport {

std::vector<TFilterItem>::const_iterator TFilterItemGroup::position(const std::string& id) const {
    return std::find_if(items_.begin(), items_.end(), [&](const TFilterItem& item) { return item.id == id; });
}

void TFilterItemGroup::add(TFilterItem item) {
    const auto found = items_.begin() + (position(item.id) - items_.cbegin());
    if (found != items_.end()) {
        *found = std::move(item);
    } else {
        items_.push_back(std::move(item));
    }
}

bool TFilterItemGroup::remove(const std::string& id) {
    return std::erase_if(items_, [&](const TFilterItem& item) { return item.id == id; }) > 0;
}

const TFilterItem* TFilterItemGroup::find(const std::string& id) const {
    const auto found = position(id);
    return found == items_.end() ? nullptr : &*found;
}

std::string TFilterItemGroup::statement(const TReportStatement& base) const {
    std::string text = "select " + base.select + " from " + base.from;
    for (const auto& item : items_)
        if (!item.join.empty()) text += ", " + item.join;
    text += " where " + base.where;
    for (const auto& item : items_)
        if (!item.condition.empty()) text += " " + item.condition;
    return text;
}

}  // namespace BaseRaport
