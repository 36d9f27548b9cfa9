#include "apps/towary/users/Sodium.h"

#include <sodium.h>

#include <stdexcept>

namespace Towary::Host::Users {

void requireSodium() {
    static const int ready = sodium_init();
    if (ready < 0) throw std::runtime_error("Nie można uruchomić biblioteki kryptograficznej (libsodium).");
}

}  // namespace Towary::Host::Users
