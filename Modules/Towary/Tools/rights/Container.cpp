#include "Modules/Towary/Tools/rights/Container.h"

#include <algorithm>

namespace GroupRights {

void Container::setRights(const std::string& index, const Rights& rights) {
    erased_.erase(index);
    entries_[index].current = rights;
    const auto at = std::lower_bound(sorted_.begin(), sorted_.end(), index);
    if (at == sorted_.end() || *at != index) sorted_.insert(at, index);
}

Rights Container::getRights(const std::string& index) const {
    if (allRightsGranted()) return Rights::allGranted();
    // The index itself first, then ever shorter beginnings of it, down to the
    // empty one: the first key found is the longest, the nearest ancestor with an entry.
    for (std::size_t length = index.size() + 1; length-- > 0;) {
        const auto found = entries_.find(index.substr(0, length));
        if (found != entries_.end()) return found->second.current;
    }
    return Rights();
}

void Container::erase(const std::string& index) {
    const auto found = entries_.find(index);
    if (found == entries_.end()) return;
    if (!found->second.created) erased_.insert(index);
    entries_.erase(found);
    const auto at = std::lower_bound(sorted_.begin(), sorted_.end(), index);
    if (at != sorted_.end() && *at == index) sorted_.erase(at);
}

}  // namespace GroupRights
