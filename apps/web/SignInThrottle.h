#pragma once
// Wrong passwords, counted per user name and per client address over a
// window: after a few a sign-in is slowed, after more it is refused for a
// while, whatever the password. A correct password clears its user's count,
// not the address's. Safe to use from several threads.

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace Towary::Web {

class SignInThrottle {
public:
    using Clock = std::chrono::steady_clock;

    struct Rules {
        int slowAfter = 3;                              // failures before sign-ins are slowed
        int refuseAfter = 5;                            // failures before they are refused
        Clock::duration delay = std::chrono::seconds(1);  // the slowing, per failure past slowAfter
        Clock::duration window = std::chrono::minutes(15);  // how long a failure counts, and a refusal lasts
    };

    explicit SignInThrottle(Rules rules) : rules_(rules) {}
    SignInThrottle() : SignInThrottle(Rules{}) {}

    // How long to wait before checking this attempt's password; a refusal
    // (std::nullopt) when the user or the address has failed too often.
    std::optional<Clock::duration> admit(const std::string& user, const std::string& address);
    void failed(const std::string& user, const std::string& address);
    void succeeded(const std::string& user);

private:
    struct Failures {
        int count = 0;
        Clock::time_point last;
    };
    int countOf(std::unordered_map<std::string, Failures>& map, const std::string& key, Clock::time_point now);

    Rules rules_;
    std::mutex mutex_;
    std::unordered_map<std::string, Failures> byUser_;
    std::unordered_map<std::string, Failures> byAddress_;
};

}  // namespace Towary::Web
