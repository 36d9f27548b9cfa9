#pragma once
// The signed-in clerks: a session is a random 256-bit token (the cookie)
// with the user it stands for and a CSRF token of its own, which every
// request that changes data must carry. A session ends at sign-out or after
// the idle time without a request. Safe to use from several threads.

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace Towary::Web {

struct ClerkSession {
    int userRef = 0;
    std::string userName;
    std::string csrfToken;
};

class SessionStore {
public:
    using Clock = std::chrono::steady_clock;

    explicit SessionStore(Clock::duration idle = std::chrono::minutes(30)) : idle_(idle) {}

    // Opens a session; returns its token.
    std::string open(int userRef, const std::string& userName);
    // The session of the token, its idle time restarted; nothing for an
    // unknown or expired token (an expired one is forgotten).
    std::optional<ClerkSession> use(const std::string& token);
    void close(const std::string& token);

    // A new random token: 32 bytes from the system's generator, as hex.
    static std::string randomToken();

private:
    struct Entry {
        ClerkSession session;
        Clock::time_point lastUse;
    };
    void forgetExpired(Clock::time_point now);

    Clock::duration idle_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> sessions_;
};

}  // namespace Towary::Web
