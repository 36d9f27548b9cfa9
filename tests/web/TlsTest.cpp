#include "tests/web/WebServerProcess.h"

#include <regex>

namespace {

// The same store served under TLS, beside the plain server of the fixture.
class WebHostUnderTls : public TestSupport::WebServerProcess {
protected:
    WebHostUnderTls() {
        const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout " +
                                 key_ + " -out " + certificate_ + " 2>/dev/null";
        EXPECT_EQ(std::system(make.c_str()), 0);
    }

    const std::string certificate_ = (scratch_.path() / "cert.pem").string();
    const std::string key_ = (scratch_.path() / "key.pem").string();
};

TEST_F(WebHostUnderTls, TheSessionCookieIsSecureAndPlainHttpIsNotAnswered) {
    TestSupport::ChildProcess server(std::string(TOWARY_BIN_DIR) + "/towary",
                                     {"serve", dir_, "--listen", "127.0.0.1:0", "--tls-cert", certificate_,
                                      "--tls-key", key_});
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
                                              certificate_ + ".brak", "--tls-key", key_}),
                      "Nie można odczytać certyfikatu TLS");
    EXPECT_EQ(server.kill(SIGTERM).exitCode, 0);
}

}  // namespace
