#pragma once
// The web host's application: the pages' files, sign-in and sign-out, and
// the JSON API under /api/, every call checked on the server: a session
// (401 without; a page sends the browser to the sign-in page), the CSRF
// token on every request that changes data (403 without), and the clerk's
// group rights on every product it shows or changes (in the API's parts).

#include "apps/web/Call.h"
#include "apps/web/HttpServer.h"
#include "apps/web/JobBoard.h"
#include "apps/web/SessionStore.h"
#include "apps/web/SignInThrottle.h"
#include "apps/web/StaticFiles.h"
#include "apps/web/StoreTurn.h"
#include "apps/web/Uploads.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace Towary::Web {

struct WebAppOptions {
    std::filesystem::path pages;  // the pages' folder
    std::filesystem::path chartLibrary = "/usr/share/javascript/chart.js/chart.min.js";
    SignInThrottle::Rules throttle;
    std::chrono::steady_clock::duration idleSession = std::chrono::minutes(30);
    JobLimits jobs;
};

class WebApp {
public:
    explicit WebApp(const WebAppOptions& options);

    // Answers one request; never throws.
    Response handle(const Request& request, const Peer& peer);
    // The body limit of a request that sends a file: a signed-in clerk's,
    // with his CSRF token, to the uploads' path; none for the others, which
    // keep the API's limit (HttpServer's Limits).
    std::optional<std::size_t> fileBodyLimit(const RequestHead& head);

private:
    Response route(const Request& request, const Peer& peer);
    Response page(const Request& request, const std::string& path);
    Response signIn(const Request& request, const Peer& peer);
    Response signOut(const std::string& token, const ClerkSession& clerk, const Peer& peer);

    std::filesystem::path chartLibrary_;
    StaticFiles files_;
    SessionStore sessions_;
    SignInThrottle throttle_;
    StoreTurn storeTurn_;
    JobBoard jobs_;
    Uploads uploads_;
    std::vector<ApiRoute> routes_;
};

}  // namespace Towary::Web
