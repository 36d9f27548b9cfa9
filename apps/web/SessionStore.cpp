#include "apps/web/SessionStore.h"

#include "apps/towary/users/Sodium.h"

#include <sodium.h>

#include <array>
#include <stdexcept>

namespace Towary::Web {

std::string SessionStore::randomToken() {
    Host::Users::requireSodium();
    std::array<unsigned char, 32> bytes{};
    randombytes_buf(bytes.data(), bytes.size());
    std::array<char, 2 * 32 + 1> hex{};
    sodium_bin2hex(hex.data(), hex.size(), bytes.data(), bytes.size());
    return hex.data();
}

std::string SessionStore::open(int userRef, const std::string& userName) {
    std::string token = randomToken();
    const auto now = Clock::now();
    const std::lock_guard lock(mutex_);
    forgetExpired(now);
    sessions_[token] = Entry{ClerkSession{userRef, userName, randomToken()}, now};
    return token;
}

std::optional<ClerkSession> SessionStore::use(const std::string& token) {
    const auto now = Clock::now();
    const std::lock_guard lock(mutex_);
    const auto found = sessions_.find(token);
    if (found == sessions_.end()) return std::nullopt;
    if (now - found->second.lastUse > idle_) {
        sessions_.erase(found);
        return std::nullopt;
    }
    found->second.lastUse = now;
    return found->second.session;
}

void SessionStore::close(const std::string& token) {
    const std::lock_guard lock(mutex_);
    sessions_.erase(token);
}

// Sessions left open by clerks who never signed out would otherwise pile up.
void SessionStore::forgetExpired(Clock::time_point now) {
    std::erase_if(sessions_, [&](const auto& entry) { return now - entry.second.lastUse > idle_; });
}

}  // namespace Towary::Web
