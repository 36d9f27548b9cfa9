#pragma once
// The owners of group rights the store knows: users (uzytkownik) and user
// groups (grupauzytkownikow). A user without rights entries may browse
// everything, so an id the store does not know must be refused, not taken
// for such a user.

#include "Core/Database/TSessionHolder.h"

namespace Towary::Host::Products {

enum class RightsOwner { user, userGroup };

// Throws std::runtime_error "Nie ma użytkownika o identyfikatorze N." (or
// "Nie ma grupy użytkowników o identyfikatorze N.") for an unknown owner.
void requireKnownOwner(RightsOwner kind, int id, const TSessionHolder& session);

}  // namespace Towary::Host::Products
