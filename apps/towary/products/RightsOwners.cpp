#include "apps/towary/products/RightsOwners.h"

#include "Core/Database/Query.h"

#include <stdexcept>
#include <string>

namespace Towary::Host::Products {

void requireKnownOwner(RightsOwner kind, int id, const TSessionHolder& session) {
    const bool user = kind == RightsOwner::user;
    DBKernel::Sql::PreparedQuery known(user ? "select 1 from uzytkownik where luzytkref = :id"
                                            : "select 1 from grupauzytkownikow where lgrupyuzytkref = :id",
                                       session);
    known.Params["id"] = id;
    known.execute();
    if (!known.next())
        throw std::runtime_error((user ? "Nie ma użytkownika o identyfikatorze "
                                       : "Nie ma grupy użytkowników o identyfikatorze ") +
                                 std::to_string(id) + ".");
}

}  // namespace Towary::Host::Products
