#include "apps/web/MenuItemRights.h"

#include "Core/User/User.h"
#include "apps/web/Replies.h"

namespace Towary::Web {

void requireMenuItem(const Call& call, const std::string& menuItem, const std::string& window) {
    if (call.clerk.userRef != Core::User::kDefaultUserRef)
        throw Refused(http::status::forbidden, "Brak uprawnienia do okna „" + window + "” (pozycja menu " + menuItem +
                                                   "): słowniki całego sklepu zmienia tylko administrator.");
}

}  // namespace Towary::Web
