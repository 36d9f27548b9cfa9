#pragma once
// libsodium, the hosts' cryptography (password hashes, session tokens), made
// ready once per process before its first call.

namespace Towary::Host::Users {

// Initialises libsodium on the first call; throws std::runtime_error, in
// Polish, when it cannot be initialised.
void requireSodium();

}  // namespace Towary::Host::Users
