#pragma once
// The module and the store's process-wide objects assume one calling thread:
// work that reaches them takes its turn here, on the web host's one database
// session, with the process's current user set to the clerk it runs for.

#include "Core/Database/TSessionHolder.h"
#include "Core/User/User.h"

#include <mutex>
#include <optional>

namespace Towary::Web {

class StoreTurn {
public:
    // Runs work(session) as the user, after every earlier turn has ended.
    template <class Work>
    auto run(int userRef, Work&& work) {
        const std::lock_guard lock(mutex_);
        if (!session_) session_ = TSessionHolder::open();
        Core::User::instance().setUserRef(userRef);
        return work(*session_);
    }

private:
    std::mutex mutex_;
    std::optional<TSessionHolder> session_;
};

}  // namespace Towary::Web
