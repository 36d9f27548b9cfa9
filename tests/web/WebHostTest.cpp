#include "tests/web/WebServerProcess.h"

#include <arpa/inet.h>
#include <algorithm>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using TestSupport::SignedIn;

class WebHost : public TestSupport::WebServerProcess {
protected:
    // Sends the bytes on a connection of its own and gives the answer, as far
    // as the server sent it before closing ("" when it gave none within 10 s).
    std::string rawAnswer(const std::string& bytes) const {
        const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(baseUrl().substr(baseUrl().rfind(':') + 1))));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval timeout{10, 0};
        setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        std::string answer;
        if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            // The server may answer and close before it has read all: a refused request is not read whole.
            (void)send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            char buffer[512];
            for (ssize_t got; (got = recv(socket, buffer, sizeof buffer, 0)) > 0;)
                answer.append(buffer, static_cast<std::size_t>(got));
        }
        close(socket);
        return answer;
    }
    // The status line of the answer rawAnswer gives.
    std::string rawStatus(const std::string& bytes) const {
        const auto answer = rawAnswer(bytes);
        return answer.substr(0, answer.find("\r\n"));
    }
    SignedIn admin() const { return signIn("1", kAdminPassword); }
    SignedIn clerk() const { return signIn("Kierownik nabiału", kClerkPassword); }
    static std::vector<std::string> names(const nlohmann::json& found) {
        std::vector<std::string> shown;
        for (const auto& row : found["rows"]) shown.push_back(row["name"]);
        return shown;
    }
};

TEST_F(WebHost, WithoutASessionNoPageAndNoApiCallAnswers) {
    const SignedIn nobody{"", ""};
    const SignedIn forged{"sesja=" + std::string(64, 'a'), std::string(64, 'b')};
    for (const auto* as : {&nobody, &forged}) {
        for (const auto* path : {"/api/session", "/api/products?identifier=mleko", "/api/products/1",
                                 "/api/products/1/price-history", "/api/status-changes", "/api/jobs/plu-check",
                                 "/api/evening/logs"}) {
            const auto answer = get(path, *as);
            ASSERT_TRUE(answer) << path;
            EXPECT_EQ(answer->status, 401) << path;
            EXPECT_EQ(json(answer)["error"], "Nie zalogowano albo sesja wygasła; zaloguj się.");
        }
        EXPECT_EQ(post("/api/sign-out", {}, *as)->status, 401);
        for (const auto* page : {"/", "/index.html", "/towar.html", "/statusy.html", "/serwis.html"}) {
            const auto answer = get(page, *as);
            EXPECT_EQ(answer->status, 303) << page;
            EXPECT_EQ(answer->get_header_value("Location"), "/logowanie.html");
        }
    }
    EXPECT_EQ(client().Get("/logowanie.html")->status, 200);
}

TEST_F(WebHost, SignInGivesAStrictHttpOnlyCookieAndSignOutEndsTheSession) {
    const auto answer = client().Post(
        "/api/sign-in", nlohmann::json{{"user", "1"}, {"password", kAdminPassword}}.dump(), "application/json");
    ASSERT_EQ(answer->status, 200);
    const auto cookie = answer->get_header_value("Set-Cookie");
    EXPECT_TRUE(std::regex_match(cookie, std::regex("sesja=[0-9a-f]{64}; Path=/; HttpOnly; SameSite=Strict")))
        << cookie;
    EXPECT_EQ(json(answer)["user"], (nlohmann::json{{"id", 1}, {"name", "Administrator"}}));

    for (const auto& [user, password] : {std::pair{"1", "złe hasło!"}, std::pair{"nikt", "złe hasło!"}}) {
        const auto wrong = client().Post("/api/sign-in", nlohmann::json{{"user", user}, {"password", password}}.dump(),
                                         "application/json");
        EXPECT_EQ(wrong->status, 401);
        EXPECT_EQ(json(wrong)["error"], "Nieprawidłowy użytkownik albo hasło.");
    }
    // The store keeps a salted argon2id hash, never the password.
    const auto stored = sql("select PasswordHash from UserPassword where UserId = 1");
    EXPECT_NE(stored.out.find("$argon2id$"), std::string::npos) << stored.out;
    EXPECT_EQ(stored.out.find(kAdminPassword), std::string::npos);

    const auto session = admin();
    EXPECT_EQ(get("/api/session", session)->status, 200);
    EXPECT_EQ(post("/api/sign-out", {}, session)->status, 200);
    EXPECT_EQ(get("/api/session", session)->status, 401);
}

TEST_F(WebHost, AChangeWithoutTheCsrfTokenIsRefusedAndChangesNothing) {
    auto session = admin();
    session.csrf.clear();
    const auto refused = post("/api/sign-out", {}, session);
    EXPECT_EQ(refused->status, 403);
    EXPECT_EQ(json(refused)["error"], "Brak ważnego tokenu CSRF; odśwież stronę i spróbuj ponownie.");
    session.csrf = std::string(64, '0');
    EXPECT_EQ(post("/api/sign-out", {}, session)->status, 403);
    EXPECT_EQ(get("/api/session", session)->status, 200) << "the session was not ended";
}

TEST_F(WebHost, AClerkFindsNoProductOfAGroupHeMayNotBrowseByAnyRoute) {
    const auto dairy = clerk();
    auto dairyMilk = names(json(get("/api/products?identifier=mleko", dairy)));
    std::sort(dairyMilk.begin(), dairyMilk.end());
    EXPECT_EQ(dairyMilk, (std::vector<std::string>{"Mleko owsiane", "Mleko łaciate"}));
    const auto missing = json(get("/api/products?identifier=%2F999999", dairy));
    for (const auto* outside : {"%2F000200", "5900000000017", "P%C5%82yn"}) {
        const auto found = json(get(std::string("/api/products?identifier=") + outside, dairy));
        EXPECT_EQ(found["total"], 0) << outside;
        EXPECT_EQ(found["rows"].size(), 0u) << outside;
    }
    EXPECT_EQ(json(get("/api/products?identifier=%2F000200", dairy))["message"],
              "Nie znaleziono towaru dla identyfikatora \"/000200\".");
    EXPECT_EQ(names(json(get("/api/products?identifier=%2F000200", admin()))),
              (std::vector<std::string>{"Płyn do naczyń"}));
    EXPECT_EQ(missing["total"], 0);

    // The card and its history: a product outside his groups reads as a product that does not exist.
    for (const auto* path : {"/api/products/%1%", "/api/products/%1%/price-history"}) {
        const auto at = [&](const std::string& id) {
            return std::regex_replace(path, std::regex("%1%"), id);
        };
        const auto outside = get(at("3"), dairy);
        const auto none = get(at("999"), dairy);
        EXPECT_EQ(outside->status, 404);
        EXPECT_EQ(none->status, 404);
        EXPECT_EQ(json(outside)["error"], "Nie ma towaru o identyfikatorze 3.");
        EXPECT_EQ(json(none)["error"], "Nie ma towaru o identyfikatorze 999.");
        EXPECT_EQ(get(at("1"), dairy)->status, 200);
        EXPECT_EQ(get(at("3"), admin())->status, 200);
    }
    EXPECT_EQ(json(get("/api/products/1", dairy))["liveCodes"][0]["code"], "5901234123457");
}

TEST_F(WebHost, TheSearchTakesTheFieldsCharactersAndPages) {
    const auto session = admin();
    const auto found = json(get("/api/products?identifier=%2F000123", session));
    EXPECT_EQ(found["rows"][0]["liveCodes"], (nlohmann::json{"5901234123457"}));
    EXPECT_EQ(found["page"], 1);
    EXPECT_EQ(found["pages"], 1);
    for (const auto* bad : {"a%20b", "x'--", "mleko%3Bdrop"}) {
        const auto refused = get(std::string("/api/products?identifier=") + bad, session);
        EXPECT_EQ(refused->status, 400) << bad;
        EXPECT_EQ(json(refused)["error"], "Identyfikator towaru może zawierać tylko litery, cyfry oraz znaki %, * i /.");
    }
    EXPECT_EQ(get("/api/products?identifier=mleko&page=0", session)->status, 400);
    EXPECT_EQ(get("/api/products?identifier=", session)->status, 400);
    EXPECT_EQ(get("/api/nic", session)->status, 404);
}

TEST_F(WebHost, TextsFromTheStoreComeBackAsTheyAreInJson) {
    const auto answer = get("/api/products?identifier=%2F000201", admin());
    EXPECT_EQ(json(answer)["rows"][0]["name"], kHostileName);
    EXPECT_EQ(answer->get_header_value("Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(answer->get_header_value("X-Content-Type-Options"), "nosniff");
}

TEST_F(WebHost, NoPathLeadsOutOfThePagesFolder) {
    for (const auto* path : {"/../CMakeLists.txt", "/%2e%2e/CMakeLists.txt", "/..%2fCMakeLists.txt",
                             "/%2E%2E%2F%2E%2E%2FCMakeLists.txt", "/pages/../../CMakeLists.txt"})
        EXPECT_EQ(rawStatus(std::string("GET ") + path + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"),
                  "HTTP/1.1 404 Not Found")
            << path;
    EXPECT_EQ(rawStatus("GET /%00index.html HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"),
              "HTTP/1.1 400 Bad Request");
    EXPECT_EQ(rawStatus("GET /app.css HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"), "HTTP/1.1 200 OK");
}

TEST_F(WebHost, OversizedRequestsAreRefusedBeforeTheyAreRead) {
    EXPECT_EQ(rawStatus("GET / HTTP/1.1\r\nHost: a\r\nX-Big: " + std::string(20000, 'a') + "\r\n\r\n"),
              "HTTP/1.1 431 Request Header Fields Too Large");
    std::string manyHeaders = "GET / HTTP/1.1\r\nHost: a\r\n";
    for (int i = 0; i < 100; ++i) manyHeaders += "X-" + std::to_string(i) + ": " + std::string(100, 'a') + "\r\n";
    EXPECT_EQ(rawStatus(manyHeaders + "\r\n"), "HTTP/1.1 431 Request Header Fields Too Large");
    // The body is never sent: the answer comes from the head alone.
    EXPECT_EQ(rawStatus("POST /api/sign-in HTTP/1.1\r\nHost: a\r\nContent-Type: application/json\r\n"
                        "Content-Length: 100000000\r\n\r\n"),
              "HTTP/1.1 413 Payload Too Large");
    // A signed-in clerk's file may be larger than an API call's body, up to its own limit; no one else's.
    const auto clerk = admin();
    const auto upload = "POST /api/uploads HTTP/1.1\r\nHost: a\r\nCookie: " + clerk.cookie +
                        "\r\nX-CSRF-Token: " + clerk.csrf + "\r\nContent-Length: ";
    EXPECT_EQ(rawStatus(upload + "70000000\r\n\r\n"), "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(rawStatus("POST /api/uploads HTTP/1.1\r\nHost: a\r\nContent-Length: 2000000\r\n\r\n"),
              "HTTP/1.1 413 Payload Too Large");
    EXPECT_EQ(client().Post("/api/uploads?name=a.csv", {{"Cookie", clerk.cookie}, {"X-CSRF-Token", clerk.csrf}},
                            std::string(2000000, 'a'), "text/csv")
                  ->status,
              201);
}

TEST_F(WebHost, BrokenRequestsAreRefusedInPolish) {
    const auto signIn = client().Post("/api/sign-in", R"({"user": 1, "password": ["hasło"]})", "application/json");
    EXPECT_EQ(signIn->status, 400);
    EXPECT_EQ(json(signIn)["error"], "Pole \"user\" podaje się jako tekst.");

    const auto garbage = rawAnswer("GET\x01 / HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(garbage.starts_with("HTTP/1.1 400 Bad Request\r\n")) << garbage;
    EXPECT_TRUE(garbage.ends_with("\r\n\r\n" R"({"error":"Błędne żądanie HTTP."})")) << garbage;

    // An answer to HEAD ends with its head, else a client would read the body as its next answer.
    const auto head = rawAnswer("HEAD /app.css HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n");
    EXPECT_TRUE(head.ends_with("\r\n\r\n")) << head;

    // A change must say it sends JSON: a form of another site cannot.
    const auto session = admin();
    const auto plain = client().Post(
        "/api/sign-out", httplib::Headers{{"Cookie", session.cookie}, {"X-CSRF-Token", session.csrf}}, "{}", "text/plain");
    EXPECT_EQ(plain->status, 415);
    EXPECT_EQ(json(plain)["error"], "Treść żądania musi być w formacie JSON.");
    EXPECT_EQ(get("/api/session", session)->status, 200) << "the session was not ended";

    // A path is decoded once: "%252e" is no dot, so no page is reached past the sign-in.
    EXPECT_EQ(rawStatus("GET /index%252ehtml HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n"),
              "HTTP/1.1 404 Not Found");
}

TEST_F(WebHost, RepeatedWrongPasswordsAreSlowedThenRefused) {
    const auto attempt = [this](const std::string& password) {
        return client().Post("/api/sign-in", nlohmann::json{{"user", "7"}, {"password", password}}.dump(),
                             "application/json");
    };
    for (int i = 0; i < 5; ++i) EXPECT_EQ(attempt("złe hasło " + std::to_string(i))->status, 401);
    const auto refused = attempt(kClerkPassword);
    EXPECT_EQ(refused->status, 429);
    EXPECT_EQ(json(refused)["error"], "Zbyt wiele nieudanych prób logowania; spróbuj ponownie za kwadrans.");
}

}  // namespace
