#include "apps/towary/users/UserPasswords.h"

#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/users/Sodium.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace Towary::Host::Users {
namespace {

std::string hashOf(const std::string& password) {
    requireSodium();
    std::array<char, crypto_pwhash_STRBYTES> hash{};
    if (crypto_pwhash_str_alg(hash.data(), password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("Brak pamięci do obliczenia skrótu hasła.");
    return hash.data();
}

// Checked against when the user has no password, so that a missing one costs
// a hashing as a wrong one does.
const std::string& decoyHash() {
    static const std::string decoy = hashOf("hasło, którego nikt nie ma");
    return decoy;
}

}  // namespace

std::optional<StoreUser> findUser(const std::string& idOrName, const TSessionHolder& session) {
    const bool byId = !idOrName.empty() && idOrName.size() <= 10 &&
                      std::all_of(idOrName.begin(), idOrName.end(), [](unsigned char c) { return c >= '0' && c <= '9'; });
    DBKernel::Sql::PreparedQuery users(byId ? "select luzytkref, snazwa from uzytkownik where luzytkref = :id"
                                            : "select luzytkref, snazwa from uzytkownik where snazwa = :name",
                                       session);
    if (byId)
        users.Params["id"] = std::stoll(idOrName);
    else
        users.Params["name"] = idOrName;
    users.execute();
    if (!users.next()) return std::nullopt;
    StoreUser found{static_cast<int>(users["luzytkref"].asInt64()), users["snazwa"].asString()};
    if (users.next())
        throw std::runtime_error("Nazwę \"" + idOrName +
                                 "\" nosi kilku użytkowników; podaj identyfikator użytkownika.");
    return found;
}

void setPassword(int userRef, const std::string& password, TSessionHolder session) {
    if (password.size() < kMinimumLength)
        throw std::runtime_error("Hasło musi mieć co najmniej " + std::to_string(kMinimumLength) + " znaków.");
    if (password.size() > kMaximumLength)
        throw std::runtime_error("Hasło może mieć najwyżej " + std::to_string(kMaximumLength) + " bajtów.");
    const std::string hash = hashOf(password);
    DBKernel::TransactionGuard transaction(session);
    DBKernel::Sql::Command remove("delete from UserPassword where UserId = :user", session);
    remove.Params["user"] = userRef;
    remove.execute();
    DBKernel::Sql::Command insert(
        "insert into UserPassword (UserId, PasswordHash, ChangedAt) values (:user, :hash, :time)", session);
    insert.Params["user"] = userRef;
    insert.Params["hash"] = hash;
    insert.Params["time"] = Core::DayNumber::now();
    insert.execute();
    transaction.commit();
}

std::optional<std::string> passwordHash(int userRef, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery stored("select PasswordHash from UserPassword where UserId = :user", session);
    stored.Params["user"] = userRef;
    stored.execute();
    if (!stored.next()) return std::nullopt;
    return stored["PasswordHash"].asString();
}

bool passwordMatches(const std::optional<std::string>& hash, const std::string& password) {
    requireSodium();
    const std::string& checked = hash ? *hash : decoyHash();
    const bool matches = password.size() <= kMaximumLength &&
                         crypto_pwhash_str_verify(checked.c_str(), password.data(), password.size()) == 0;
    return hash && matches;
}

}  // namespace Towary::Host::Users
