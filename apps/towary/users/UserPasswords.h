#pragma once
// The clerks' sign-in passwords (table UserPassword): set by an administrator
// at the terminal, checked by the web host. A password is kept only as an
// argon2id hash (libsodium's crypto_pwhash_str, salt and cost inside it), so
// neither the store nor a log ever holds it in the clear.

#include "Core/Database/TSessionHolder.h"

#include <optional>
#include <string>

namespace Towary::Host::Users {

// A user of the store: his id (luzytkref) and name.
struct StoreUser {
    int ref = 0;
    std::string name;
};

// The user a clerk names: digits an id, any other text a user's name (which
// must name exactly one). Returns nothing when no user matches; throws
// std::runtime_error, in Polish, when a name matches several.
std::optional<StoreUser> findUser(const std::string& idOrName, const TSessionHolder& session);

// Stores the password's hash for the user, replacing an earlier one. Throws
// std::runtime_error, in Polish, for a password too short or too long (the
// rules are kMinimumLength and kMaximumLength characters' bytes).
void setPassword(int userRef, const std::string& password, TSessionHolder session);

// The hash of the user's password, none when he has none.
std::optional<std::string> passwordHash(int userRef, const TSessionHolder& session);

// True when there is a hash and the password is its. Costs one argon2id
// hashing either way, so that the answer's time does not tell which users
// have a password. It needs no store: a host checks outside its turn on it.
bool passwordMatches(const std::optional<std::string>& hash, const std::string& password);

inline constexpr std::size_t kMinimumLength = 8;
inline constexpr std::size_t kMaximumLength = 1024;

}  // namespace Towary::Host::Users
