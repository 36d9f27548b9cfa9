#pragma once
// The module and the store's process-wide objects assume one calling thread:
// work that reaches them takes its turn here, on the web host's one database
// session, with the process's current user set to the clerk it runs for.
// A turn waits a bounded time: when the store is held (another process's
// lock, a long save), later requests are refused as busy rather than
// occupying every thread of the server until the store frees.

#include "Core/Database/TSessionHolder.h"
#include "Core/User/User.h"

#include "apps/web/Replies.h"

#include <chrono>
#include <mutex>
#include <optional>

namespace Towary::Web {

class StoreTurn {
public:
    static constexpr std::chrono::seconds kLongestWait{3};
    // Every request reads through this one session: a cache that holds the
    // hot part of a large store saves a system call for every page read.
    static constexpr std::int64_t kCacheKiB = 64 * 1024;

    // Runs work(session) as the user, after every earlier turn has ended;
    // throws Refused (503) when the turn does not come within kLongestWait.
    template <class Work>
    auto run(int userRef, Work&& work) {
        std::unique_lock lock(mutex_, kLongestWait);
        if (!lock)
            throw Refused(http::status::service_unavailable,
                          "Sklep jest zajęty innymi pracami; spróbuj ponownie za chwilę.");
        if (!session_) session_ = TSessionHolder::open({.cacheKiB = kCacheKiB});
        Core::User::instance().setUserRef(userRef);
        return work(*session_);
    }

private:
    std::timed_mutex mutex_;
    std::optional<TSessionHolder> session_;
};

}  // namespace Towary::Web
