#include "apps/web/SignInThrottle.h"

#include <algorithm>

namespace Towary::Web {

int SignInThrottle::countOf(std::unordered_map<std::string, Failures>& map, const std::string& key,
                            Clock::time_point now) {
    const auto found = map.find(key);
    if (found == map.end()) return 0;
    if (now - found->second.last > rules_.window) {
        map.erase(found);
        return 0;
    }
    return found->second.count;
}

std::optional<SignInThrottle::Clock::duration> SignInThrottle::admit(const std::string& user,
                                                                     const std::string& address) {
    const auto now = Clock::now();
    const std::lock_guard lock(mutex_);
    const int failures = std::max(countOf(byUser_, user, now), countOf(byAddress_, address, now));
    if (failures >= rules_.refuseAfter) return std::nullopt;
    return rules_.delay * std::max(0, failures - rules_.slowAfter + 1);
}

void SignInThrottle::failed(const std::string& user, const std::string& address) {
    const auto now = Clock::now();
    const std::lock_guard lock(mutex_);
    for (auto* map : {&byUser_, &byAddress_}) {
        auto& failures = (*map)[map == &byUser_ ? user : address];
        if (now - failures.last > rules_.window) failures.count = 0;
        ++failures.count;
        failures.last = now;
    }
}

void SignInThrottle::succeeded(const std::string& user) {
    const std::lock_guard lock(mutex_);
    byUser_.erase(user);
}

}  // namespace Towary::Web
