#include "Core/User/User.h"

#include <stdexcept>
#include <string>

namespace Core {

User& User::instance() {
    static User user;
    return user;
}

void User::setUserRef(long long userRef) {
    if (userRef < 1)
        throw std::invalid_argument("Identyfikator użytkownika musi być dodatni (podano " + std::to_string(userRef) +
                                    ").");
    userRef_ = userRef;
}

}  // namespace Core
