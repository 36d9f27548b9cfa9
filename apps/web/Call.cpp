#include "apps/web/Call.h"

#include "apps/web/Replies.h"

namespace Towary::Web {

nlohmann::json objectOf(const Request& request) {
    auto body = nlohmann::json::parse(request.body(), nullptr, false);
    if (body.is_discarded() || !body.is_object())
        throw Refused(http::status::bad_request, "Treść żądania nie jest poprawnym obiektem JSON.");
    return body;
}

}  // namespace Towary::Web
