#pragma once
// One API call as its handler sees it: the request, the signed-in clerk, the
// decoded path and query, and the routes the API is made of.

#include "apps/web/HttpServer.h"
#include "apps/web/SessionStore.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace Towary::Web {

class JobBoard;
class StoreTurn;
class Uploads;

// A request's body as a JSON object; throws Refused (400) for anything else.
nlohmann::json objectOf(const Request& request);

struct Call {
    const Request& request;
    ClerkSession clerk;
    std::smatch path;                          // the route's pattern matched on the path
    std::map<std::string, std::string> query;  // decoded

    // The query's value, or "" when absent.
    std::string parameter(const std::string& name) const;
    // The request's body, a JSON object; throws Refused (400) for anything else.
    nlohmann::json object() const { return objectOf(request); }
};

struct ApiRoute {
    http::verb verb;
    std::regex path;  // matched against the whole decoded path
    std::function<Response(const Call&, StoreTurn&)> handle;
    // The body is a file as the clerk sent it, not JSON, up to Uploads::kLargestFile.
    bool takesFile = false;
};

// Where pages send files (apps/web/Uploads.h).
inline constexpr std::string_view kUploadPath = "/api/uploads";

// The parts of the API: each adds its routes.
void addProductRoutes(std::vector<ApiRoute>& routes);
void addStatusChangeRoutes(std::vector<ApiRoute>& routes);
// The return-reason window, held open for its page between requests (its
// lock is the window's), and closed in the turn when the page goes silent.
void addReturnReasonRoutes(std::vector<ApiRoute>& routes, StoreTurn& turn);
// The commission-group window.
void addCommissionGroupRoutes(std::vector<ApiRoute>& routes);
// The long jobs (the PLU check, the evening run, the products' import, the
// VAT changes) run on the board, the evening logs, the VAT changes pending,
// the files clerks send and the products' export.
void addJobRoutes(std::vector<ApiRoute>& routes, JobBoard& board, Uploads& uploads);

}  // namespace Towary::Web
