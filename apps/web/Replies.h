#pragma once
// The web host's answers: JSON bodies, and refusals as {"error": message} with
// the module's Polish message and a status that fits the reason.

#include "apps/web/HttpServer.h"

#include <nlohmann/json.hpp>

#include <string>

namespace Towary::Web {

Response jsonReply(const nlohmann::json& body, http::status status = http::status::ok);
Response refusal(http::status status, const std::string& message);
// A body of the given media type; files and pages.
Response contentReply(std::string body, const std::string& mediaType);
// A refusal a handler raises, turned into its reply where requests are answered.
class Refused : public std::runtime_error {
public:
    Refused(http::status status, const std::string& message) : std::runtime_error(message), status_(status) {}
    http::status status() const { return status_; }

private:
    http::status status_;
};

}  // namespace Towary::Web
