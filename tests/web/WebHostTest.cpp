#include "tests/web/WebServerProcess.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <regex>
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
        sockaddr_in address{
            .sin_family = AF_INET, .sin_port = htons(port()), .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
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
    // The request for the target, exactly as written, on a connection the server closes after it.
    static std::string rawRequest(const std::string& method, const std::string& target) {
        return method + " " + target + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n";
    }
};

TEST_F(WebHost, WithoutASessionNoPageAndNoApiCallAnswers) {
    for (const SignedIn& as : {SignedIn{"", ""}, SignedIn{"sesja=" + std::string(64, 'a'), std::string(64, 'b')}}) {
        for (const auto* path : {"/api/session", "/api/products?identifier=mleko", "/api/products/1",
                                 "/api/products/1/price-history", "/api/status-changes", "/api/jobs/plu-check",
                                 "/api/evening/logs"}) {
            const auto answer = get(path, as);
            EXPECT_EQ(status(answer), 401) << path;
            EXPECT_EQ(json(answer)["error"], "Nie zalogowano albo sesja wygasła; zaloguj się.");
        }
        EXPECT_EQ(status(post("/api/sign-out", {}, as)), 401);
        for (const auto* page : {"/", "/index.html", "/towar.html", "/statusy.html", "/serwis.html"}) {
            const auto answer = get(page, as);
            EXPECT_EQ(status(answer), 303) << page;
            EXPECT_EQ(answer->get_header_value("Location"), "/logowanie.html");
        }
    }
    EXPECT_EQ(status(client().Get("/logowanie.html")), 200);
}

TEST_F(WebHost, SignInGivesAStrictHttpOnlyCookieAndSignOutEndsTheSession) {
    const auto answer = signInAnswer("1", kAdminPassword);
    ASSERT_EQ(status(answer), 200);
    const auto cookie = answer->get_header_value("Set-Cookie");
    EXPECT_TRUE(std::regex_match(cookie, std::regex("sesja=[0-9a-f]{64}; Path=/; HttpOnly; SameSite=Strict")))
        << cookie;
    EXPECT_EQ(json(answer)["user"], (nlohmann::json{{"id", 1}, {"name", "Administrator"}}));
    for (const auto* user : {"1", "nikt"}) {
        const auto wrong = signInAnswer(user, "złe hasło!");
        EXPECT_EQ(status(wrong), 401);
        EXPECT_EQ(json(wrong)["error"], "Nieprawidłowy użytkownik albo hasło.");
    }
    // The store keeps a salted argon2id hash, never the password.
    const auto stored = sql("select PasswordHash from UserPassword where UserId = 1").out;
    EXPECT_NE(stored.find("$argon2id$"), std::string::npos) << stored;
    EXPECT_EQ(stored.find(kAdminPassword), std::string::npos);

    const auto session = admin();
    EXPECT_EQ(status(get("/api/session", session)), 200);
    EXPECT_EQ(status(post("/api/sign-out", {}, session)), 200);
    EXPECT_EQ(status(get("/api/session", session)), 401);
}

TEST_F(WebHost, UnderTlsTheSessionCookieIsSecureAndPlainHttpIsNotAnswered) {
    const std::string certificate = (scratch_.path() / "cert.pem").string();
    const std::string key = (scratch_.path() / "key.pem").string();
    const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout " + key +
                             " -out " + certificate + " 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    TestSupport::ChildProcess server(std::string(TOWARY_BIN_DIR) + "/towary",
                                     {"serve", dir_, "--listen", "127.0.0.1:0", "--tls-cert", certificate, "--tls-key", key});
    const std::string started = server.line();
    std::smatch port;
    ASSERT_TRUE(std::regex_search(started, port, std::regex("https://127.0.0.1:(\\d+)/"))) << started;

    httplib::SSLClient secure("127.0.0.1", std::stoi(port[1]));
    secure.enable_server_certificate_verification(false);
    const auto signedIn = secure.Post(
        "/api/sign-in", nlohmann::json{{"user", "1"}, {"password", kAdminPassword}}.dump(), "application/json");
    ASSERT_EQ(status(signedIn), 200);
    EXPECT_TRUE(std::regex_match(signedIn->get_header_value("Set-Cookie"),
                                 std::regex("sesja=[0-9a-f]{64}; Path=/; HttpOnly; SameSite=Strict; Secure")));

    httplib::Client plain("127.0.0.1", std::stoi(port[1]));
    plain.set_read_timeout(5, 0);
    EXPECT_NE(status(plain.Get("/logowanie.html")), 200);

    expectFailureWith(TestSupport::runTowary({"serve", dir_, "--listen", "127.0.0.1:0", "--tls-cert",
                                              certificate + ".brak", "--tls-key", key}),
                      "Nie można odczytać certyfikatu TLS");
    EXPECT_EQ(server.kill(SIGTERM).exitCode, 0);
}

TEST_F(WebHost, RepeatedWrongPasswordsAreSlowedThenRefused) {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(status(signInAnswer("7", "złe hasło " + std::to_string(i))), 401);
    const auto refused = signInAnswer("7", kClerkPassword);
    EXPECT_EQ(status(refused), 429);
    EXPECT_EQ(json(refused)["error"], "Zbyt wiele nieudanych prób logowania; spróbuj ponownie za kwadrans.");
}

TEST_F(WebHost, EveryWriteWithoutItsCsrfTokenIsRefusedAndChangesNothing) {
    const auto session = admin();
    const std::string window = json(post("/api/return-reasons/window", nlohmann::json::object(), session))["window"];
    const std::pair<std::string, nlohmann::json> writes[] = {
        {"/api/sign-out", {}}, {"/api/jobs/plu-check", {}}, {"/api/commission-groups/delete", {{"id", 1}}},
        {"/api/status-changes",
         {{"request", "statusy-1"}, {"added", {{{"productId", 1}, {"status", 4}, {"changeDate", "2099-07-01"}}}}}},
        {"/api/return-reasons/window/" + window + "/add", {}}, {"/api/return-reasons/send", {}}};
    for (const auto& token : {std::string(), std::string(64, '0')}) {
        for (const auto& [path, body] : writes) {
            const auto refused = post(path, body, {session.cookie, token});
            EXPECT_EQ(status(refused), 403) << path;
            EXPECT_EQ(json(refused)["error"], "Brak ważnego tokenu CSRF; odśwież stronę i spróbuj ponownie.") << path;
        }
    }
    EXPECT_EQ(status(client().Post("/api/uploads", {{"Cookie", session.cookie}}, "x", "text/csv")), 403);
    EXPECT_EQ(status(get("/api/session", session)), 200) << "the session was not ended";
    EXPECT_EQ(sql("select count(*) n from StatusChange").out, "n\n0\n");
    EXPECT_EQ(json(get("/api/return-reasons/window/" + window, session))["rows"].size(), 0u);
}

TEST_F(WebHost, TheStoreWideWorkAndTheDictionariesAreTheAdministratorsAlone) {
    const std::string window = json(post("/api/return-reasons/window", nlohmann::json::object(), admin()))["window"];
    const auto dairy = clerk();
    for (const auto& path : std::vector<std::string>{
             "/api/jobs/plu-check", "/api/jobs/evening", "/api/jobs/products-import", "/api/jobs/vat-plan",
             "/api/jobs/vat-apply", "/api/return-reasons/window", "/api/return-reasons/window/" + window + "/add",
             "/api/return-reasons/send", "/api/commission-groups/delete"})
        EXPECT_EQ(status(post(path, {{"id", 1}, {"day", "2011-01-01"}}, dairy)), 403) << path;
    for (const auto* path : {"/api/jobs/plu-check", "/api/export/products.csv", "/api/vat/pending", "/api/commission-groups"})
        EXPECT_EQ(status(get(path, dairy)), 403) << path;
    EXPECT_EQ(json(post("/api/jobs/products-import", nlohmann::json::object(), dairy))["error"],
              "Import i eksport towarów obejmują cały sklep: uruchamia je i ogląda tylko administrator.");
    EXPECT_EQ(json(get("/api/commission-groups", dairy))["error"],
              "Brak uprawnienia do okna „Grupy prowizyjne” (pozycja menu .miSpisy.miCommissionGroupBrowser): słowniki "
              "całego sklepu zmienia tylko administrator.");
}

TEST_F(WebHost, AClerkFindsNoProductOfAGroupHeMayNotBrowseByAnyRoute) {
    const auto dairy = signIn("Kierownik nabiału", kClerkPassword);
    EXPECT_EQ(json(get("/api/products?identifier=mleko", dairy))["total"], 2) << "both milks are dairy";
    for (const auto* outside : {"%2F000200", "5900000000017", "P%C5%82yn", "%2F999999"}) {
        const auto found = json(get(std::string("/api/products?identifier=") + outside, dairy));
        EXPECT_EQ(found["total"], 0) << outside;
        EXPECT_EQ(found["rows"].size(), 0u) << outside;
    }
    EXPECT_EQ(json(get("/api/products?identifier=%2F000200", dairy))["message"],
              "Nie znaleziono towaru dla identyfikatora \"/000200\".");
    EXPECT_EQ(json(get("/api/products?identifier=%2F000200", admin()))["rows"][0]["name"], "Płyn do naczyń");

    // The card and its history: a product outside his groups reads as a product that does not exist.
    for (const std::string part : {"", "/price-history"}) {
        for (const std::string id : {"3", "999"}) {
            const auto missing = get("/api/products/" + id + part, dairy);
            EXPECT_EQ(status(missing), 404) << id << part;
            EXPECT_EQ(json(missing)["error"], "Nie ma towaru o identyfikatorze " + id + ".");
        }
        EXPECT_EQ(status(get("/api/products/1" + part, dairy)), 200);
        EXPECT_EQ(status(get("/api/products/3" + part, admin())), 200);
    }
    EXPECT_EQ(json(get("/api/products/1", dairy))["liveCodes"][0]["code"], "5901234123457");
}

TEST_F(WebHost, TheSearchTakesTheFieldsCharactersAndPages) {
    const auto session = admin();
    const auto found = json(get("/api/products?identifier=%2F000123", session));
    EXPECT_EQ(found["rows"][0]["liveCodes"], (nlohmann::json{"5901234123457"}));
    EXPECT_EQ((nlohmann::json{found["page"], found["pages"]}), (nlohmann::json{1, 1}));
    for (const auto* bad : {"a%20b", "x'--", "mleko%3Bdrop"}) {
        const auto refused = get(std::string("/api/products?identifier=") + bad, session);
        EXPECT_EQ(status(refused), 400) << bad;
        EXPECT_EQ(json(refused)["error"], "Identyfikator towaru może zawierać tylko litery, cyfry oraz znaki %, * i /.");
    }
    EXPECT_EQ(status(get("/api/products?identifier=mleko&page=0", session)), 400);
    EXPECT_EQ(status(get("/api/products?identifier=", session)), 400);
    EXPECT_EQ(status(get("/api/nic", session)), 404);
}

TEST_F(WebHost, TextsFromTheStoreComeBackAsTheyAreInJson) {
    const auto answer = get("/api/products?identifier=%2F000201", admin());
    EXPECT_EQ(json(answer)["rows"][0]["name"], kHostileName);
    EXPECT_EQ(answer->get_header_value("Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(answer->get_header_value("X-Content-Type-Options"), "nosniff");
}

TEST_F(WebHost, NoPathLeadsOutOfThePagesFolder) {
    // "%252e" is decoded once, to no dot, so no page is reached past the sign-in.
    for (const auto* path : {"/../CMakeLists.txt", "/%2e%2e/CMakeLists.txt", "/..%2fCMakeLists.txt",
                             "/%2E%2E%2F%2E%2E%2FCMakeLists.txt", "/pages/../../CMakeLists.txt", "/index%252ehtml"})
        EXPECT_EQ(rawStatus(rawRequest("GET", path)), "HTTP/1.1 404 Not Found") << path;
    EXPECT_EQ(rawStatus(rawRequest("GET", "/%00index.html")), "HTTP/1.1 400 Bad Request");
    EXPECT_EQ(rawStatus(rawRequest("GET", "/app.css")), "HTTP/1.1 200 OK");
}

TEST_F(WebHost, OversizedRequestsAreRefusedBeforeTheyAreRead) {
    const std::string tooLarge = "HTTP/1.1 413 Payload Too Large";
    EXPECT_EQ(rawStatus("GET / HTTP/1.1\r\nHost: a\r\nX-Big: " + std::string(20000, 'a') + "\r\n\r\n"),
              "HTTP/1.1 431 Request Header Fields Too Large");
    std::string manyHeaders = "GET / HTTP/1.1\r\nHost: a\r\n";
    for (int i = 0; i < 100; ++i) manyHeaders += "X-" + std::to_string(i) + ": " + std::string(100, 'a') + "\r\n";
    EXPECT_EQ(rawStatus(manyHeaders + "\r\n"), "HTTP/1.1 431 Request Header Fields Too Large");
    // The body is never sent: the answer comes from the head alone.
    EXPECT_EQ(rawStatus("POST /api/sign-in HTTP/1.1\r\nHost: a\r\nContent-Type: application/json\r\n"
                        "Content-Length: 100000000\r\n\r\n"),
              tooLarge);
    // A signed-in clerk's file may be larger than an API call's body, up to its own limit; no one else's.
    const auto clerk = admin();
    EXPECT_EQ(rawStatus("POST /api/uploads HTTP/1.1\r\nHost: a\r\nCookie: " + clerk.cookie + "\r\nX-CSRF-Token: " +
                        clerk.csrf + "\r\nContent-Length: 70000000\r\n\r\n"),
              tooLarge);
    EXPECT_EQ(rawStatus("POST /api/uploads HTTP/1.1\r\nHost: a\r\nContent-Length: 2000000\r\n\r\n"), tooLarge);
    EXPECT_EQ(status(upload("a.csv", std::string(2000000, 'a'), clerk)), 201);
}

TEST_F(WebHost, BrokenRequestsAreRefusedInPolish) {
    const auto signIn = client().Post("/api/sign-in", R"({"user": 1, "password": ["hasło"]})", "application/json");
    EXPECT_EQ(status(signIn), 400);
    EXPECT_EQ(json(signIn)["error"], "Pole \"user\" podaje się jako tekst.");

    const auto garbage = rawAnswer("GET\x01 / HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(garbage.starts_with("HTTP/1.1 400 Bad Request\r\n")) << garbage;
    EXPECT_TRUE(garbage.ends_with("\r\n\r\n" R"({"error":"Błędne żądanie HTTP."})")) << garbage;
    // An answer to HEAD ends with its head, else a client would read the body as its next answer.
    const auto head = rawAnswer(rawRequest("HEAD", "/app.css"));
    EXPECT_TRUE(head.ends_with("\r\n\r\n")) << head;

    // A change must say it sends JSON: a form of another site cannot.
    const auto session = admin();
    const auto plain = client().Post(
        "/api/sign-out", httplib::Headers{{"Cookie", session.cookie}, {"X-CSRF-Token", session.csrf}}, "{}", "text/plain");
    EXPECT_EQ(status(plain), 415);
    EXPECT_EQ(json(plain)["error"], "Treść żądania musi być w formacie JSON.");
    EXPECT_EQ(status(get("/api/session", session)), 200) << "the session was not ended";
}

}  // namespace
