#include "apps/web/WebApp.h"

#include "Core/UserMessage.h"
#include "apps/towary/users/UserPasswords.h"
#include "apps/web/Replies.h"

#include <sodium.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace Towary::Web {
namespace {

constexpr std::string_view kCookie = "sesja";
constexpr std::string_view kSignInPage = "/logowanie.html";

std::map<std::string, std::string> parseQuery(std::string_view query) {
    std::map<std::string, std::string> values;
    while (!query.empty()) {
        const auto end = query.find('&');
        const auto pair = query.substr(0, end);
        const auto equals = pair.find('=');
        const auto name = percentDecoded(pair.substr(0, equals), true);
        const auto value = percentDecoded(equals == std::string_view::npos ? "" : pair.substr(equals + 1), true);
        if (!name || !value) throw Refused(http::status::bad_request, "Błędny zapis parametrów w adresie.");
        values[*name] = *value;
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    }
    return values;
}

std::optional<std::string> sessionToken(const RequestHead& request) {
    const auto header = request.find(http::field::cookie);
    if (header == request.end()) return std::nullopt;
    std::string_view cookies(header->value().data(), header->value().size());
    while (!cookies.empty()) {
        const auto end = cookies.find(';');
        auto cookie = cookies.substr(0, end);
        while (!cookie.empty() && cookie.front() == ' ') cookie.remove_prefix(1);
        if (cookie.size() > kCookie.size() && cookie.substr(0, kCookie.size()) == kCookie &&
            cookie[kCookie.size()] == '=')
            return std::string(cookie.substr(kCookie.size() + 1));
        cookies = end == std::string_view::npos ? std::string_view() : cookies.substr(end + 1);
    }
    return std::nullopt;
}

std::string sessionCookie(const std::string& token, bool secure) {
    return std::string(kCookie) + "=" + token + "; Path=/; HttpOnly; SameSite=Strict" + (secure ? "; Secure" : "") +
           (token.empty() ? "; Max-Age=0" : "");
}

void requireJson(const Request& request) {
    const auto type = request.find(http::field::content_type);
    if (type == request.end() || !type->value().starts_with("application/json"))
        throw Refused(http::status::unsupported_media_type, "Treść żądania musi być w formacie JSON.");
}

bool sameToken(const std::string& given, const std::string& expected) {
    return given.size() == expected.size() && sodium_memcmp(given.data(), expected.data(), given.size()) == 0;
}

bool carriesCsrf(const RequestHead& request, const ClerkSession& clerk) {
    const auto token = request.find("X-CSRF-Token");
    return token != request.end() && sameToken(std::string(token->value()), clerk.csrfToken);
}

// A request that changes data must carry the session's CSRF token, which a
// page of another site can neither read nor send, and say it sends JSON
// (which a form of another site cannot), unless it sends a file.
void requireCsrf(const Request& request, const ClerkSession& clerk) {
    if (!carriesCsrf(request, clerk))
        throw Refused(http::status::forbidden, "Brak ważnego tokenu CSRF; odśwież stronę i spróbuj ponownie.");
}

bool changesData(const Request& request) {
    return request.method() != http::verb::get && request.method() != http::verb::head;
}

nlohmann::json jsonBody(const Request& request) {
    requireJson(request);
    return objectOf(request);
}

// A text field of a request's JSON object; "" when absent.
std::string textField(const nlohmann::json& body, const char* name) {
    const auto found = body.find(name);
    if (found == body.end()) return {};
    if (!found->is_string())
        throw Refused(http::status::bad_request, "Pole \"" + std::string(name) + "\" podaje się jako tekst.");
    return found->get<std::string>();
}

nlohmann::json sessionJson(const ClerkSession& clerk) {
    return {{"user", {{"id", clerk.userRef}, {"name", clerk.userName}}}, {"csrfToken", clerk.csrfToken}};
}

Response redirect(std::string_view to) {
    Response response{http::status::see_other, 11};
    response.set(http::field::location, std::string(to));
    response.set(http::field::cache_control, "no-store");
    response.prepare_payload();
    return response;
}

}  // namespace

std::string Call::parameter(const std::string& name) const {
    const auto found = query.find(name);
    return found != query.end() ? found->second : std::string();
}

WebApp::WebApp(const WebAppOptions& options)
    : chartLibrary_(options.chartLibrary),
      files_(options.pages),
      sessions_(options.idleSession),
      throttle_(options.throttle),
      jobs_(options.jobs) {
    addProductRoutes(routes_);
    addStatusChangeRoutes(routes_);
    addReturnReasonRoutes(routes_, storeTurn_);
    addCommissionGroupRoutes(routes_);
    addJobRoutes(routes_, jobs_, uploads_);
}

std::optional<std::size_t> WebApp::fileBodyLimit(const RequestHead& head) {
    const std::string_view target(head.target().data(), head.target().size());
    if (target.substr(0, target.find('?')) != kUploadPath) return std::nullopt;
    // Anyone else's body is read within the API's limit, then refused as any request of his.
    const auto token = sessionToken(head);
    const auto clerk = token ? sessions_.use(*token) : std::nullopt;
    if (!clerk || !carriesCsrf(head, *clerk)) return std::nullopt;
    return Uploads::kLargestFile;
}

Response WebApp::handle(const Request& request, const Peer& peer) {
    try {
        return route(request, peer);
    } catch (const Refused& refused) {
        return refusal(refused.status(), refused.what());
    } catch (const std::exception& e) {
        return refusal(http::status::bad_request, Core::userMessage(e));
    }
}

Response WebApp::route(const Request& request, const Peer& peer) {
    const std::string_view target(request.target().data(), request.target().size());
    const auto queryAt = target.find('?');
    const auto path = percentDecoded(target.substr(0, queryAt));
    if (!path) throw Refused(http::status::bad_request, "Błędny zapis adresu.");
    if (!path->starts_with("/api/")) return page(request, *path);

    if (*path == "/api/sign-in" && request.method() == http::verb::post) return signIn(request, peer);
    const auto token = sessionToken(request);
    const auto clerk = token ? sessions_.use(*token) : std::nullopt;
    if (!clerk) throw Refused(http::status::unauthorized, "Nie zalogowano albo sesja wygasła; zaloguj się.");
    if (changesData(request)) requireCsrf(request, *clerk);
    if (*path == "/api/session" && request.method() == http::verb::get) return jsonReply(sessionJson(*clerk));
    if (*path == "/api/sign-out" && request.method() == http::verb::post) {
        requireJson(request);
        return signOut(*token, *clerk, peer);
    }

    bool pathKnown = false;
    for (const auto& candidate : routes_) {
        std::smatch match;
        if (!std::regex_match(*path, match, candidate.path)) continue;
        pathKnown = true;
        if (candidate.verb != request.method()) continue;
        if (changesData(request) && !candidate.takesFile) requireJson(request);
        const Call call{request, *clerk, std::move(match),
                        parseQuery(queryAt == std::string_view::npos ? "" : target.substr(queryAt + 1))};
        return candidate.handle(call, storeTurn_);
    }
    if (pathKnown) throw Refused(http::status::method_not_allowed, "Ta ścieżka API nie przyjmuje tej metody.");
    throw Refused(http::status::not_found, "Nie ma takiej ścieżki API.");
}

Response WebApp::page(const Request& request, const std::string& path) {
    if (request.method() != http::verb::get)
        throw Refused(http::status::method_not_allowed, "Strony przyjmują tylko żądania GET.");
    const bool isPage = path == "/" || path.ends_with(".html");
    if (isPage && path != kSignInPage) {
        const auto token = sessionToken(request);
        if (!token || !sessions_.use(*token)) return redirect(kSignInPage);
    }
    if (path == "/lib/chart.js") {
        const auto library = StaticFiles::read(chartLibrary_);
        if (!library) throw Refused(http::status::not_found, "Brak biblioteki wykresów Chart.js (pakiet libjs-chart.js).");
        return contentReply(*library, StaticFiles::mediaTypeOf(chartLibrary_));
    }
    const auto file = files_.find(path);
    if (!file) throw Refused(http::status::not_found, "Nie ma takiej strony.");
    return contentReply(file->content, file->mediaType);
}

Response WebApp::signIn(const Request& request, const Peer& peer) {
    const auto body = jsonBody(request);
    const auto user = textField(body, "user");
    const auto password = textField(body, "password");
    // "7" and "007" name one user: they share his count of failures.
    const auto digits = user.find_first_not_of("0123456789");
    const auto throttled = digits == std::string::npos && !user.empty()
                               ? user.substr(std::min(user.find_first_not_of('0'), user.size() - 1))
                               : user;
    const auto wait = throttle_.admit(throttled, peer.address);
    if (!wait)
        throw Refused(http::status::too_many_requests,
                      "Zbyt wiele nieudanych prób logowania; spróbuj ponownie za kwadrans.");
    std::this_thread::sleep_for(*wait);
    // The hashing takes a tenth of a second: it runs after the store's turn, not in it.
    const auto [found, hash] = storeTurn_.run(Core::User::kDefaultUserRef, [&](const TSessionHolder& session) {
        auto known = Host::Users::findUser(user, session);
        return std::pair(known, known ? Host::Users::passwordHash(known->ref, session) : std::nullopt);
    });
    // An unknown user's attempt costs the same hashing as a known one's.
    if (!Host::Users::passwordMatches(hash, password) || !found) {
        throttle_.failed(throttled, peer.address);
        throw Refused(http::status::unauthorized, "Nieprawidłowy użytkownik albo hasło.");
    }
    throttle_.succeeded(throttled);
    const auto token = sessions_.open(found->ref, found->name);
    auto response = jsonReply(sessionJson(*sessions_.use(token)));
    response.set(http::field::set_cookie, sessionCookie(token, peer.secure));
    return response;
}

Response WebApp::signOut(const std::string& token, const ClerkSession&, const Peer& peer) {
    sessions_.close(token);
    auto response = jsonReply(nlohmann::json::object());
    response.set(http::field::set_cookie, sessionCookie("", peer.secure));
    return response;
}

}  // namespace Towary::Web
