#include "apps/web/Replies.h"

namespace Towary::Web {

Response contentReply(std::string body, const std::string& mediaType) {
    Response response{http::status::ok, 11};
    response.set(http::field::content_type, mediaType);
    // Pages are the host's own: no frame of another site, no script or style from elsewhere, no guessed types.
    response.set(http::field::x_frame_options, "DENY");
    response.set("X-Content-Type-Options", "nosniff");
    response.set("Content-Security-Policy",
                 "default-src 'self'; img-src 'self' data:; object-src 'none'; frame-ancestors 'none'");
    response.set(http::field::cache_control, "no-store");
    response.body() = std::move(body);
    response.prepare_payload();
    return response;
}

Response jsonReply(const nlohmann::json& body, http::status status) {
    auto response = contentReply(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                                 "application/json; charset=utf-8");
    response.result(status);
    return response;
}

Response refusal(http::status status, const std::string& message) {
    return jsonReply(nlohmann::json{{"error", message}}, status);
}

}  // namespace Towary::Web
