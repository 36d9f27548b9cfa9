#pragma once
// Core::User: the user the host runs for, one per process
// (Core::User::instance()). The host sets the id once at start; work done on
// the user's behalf (labels to print, change history) records it. Until the
// host sets one, the id is kDefaultUserRef, the store's administrator.

#include "Core/Export.h"

namespace Core {

class TOWARY_EXPORT User {
public:
    static constexpr long long kDefaultUserRef = 1;

    static User& instance();

    long long getUserRef() const { return userRef_; }
    void setUserRef(long long userRef);

    User(const User&) = delete;
    User& operator=(const User&) = delete;

private:
    User() = default;
    long long userRef_ = kDefaultUserRef;
};

}  // namespace Core
