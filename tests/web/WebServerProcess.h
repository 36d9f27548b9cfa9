#pragma once
// A store served by `towary serve` in a process of its own on a free
// loopback port, with two clerks who have passwords: the administrator (1),
// who may browse everything, and a dairy clerk (7), who may browse only
// department 01. Department 02 holds a product named to break a page.

#include "tests/support/ChildProcess.h"
#include "tests/support/TowaryStore.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

// A signed-in clerk's cookie and CSRF token.
struct SignedIn {
    std::string cookie;  // "sesja=..."
    std::string csrf;
};

class WebServerProcess : public TowaryStore {
protected:
    static constexpr const char* kAdminPassword = "hasło administratora";
    static constexpr const char* kClerkPassword = "hasło nabiałowe";
    static constexpr const char* kHostileName = "<script>alert(1)</script>\"'><img src=x>";

    WebServerProcess();
    ~WebServerProcess() override;

    std::uint16_t port() const { return static_cast<std::uint16_t>(port_); }
    httplib::Client client() const;
    // The server's answer to signing in with the password.
    httplib::Result signInAnswer(const std::string& user, const std::string& password) const;
    SignedIn signIn(const std::string& user, const std::string& password) const;
    httplib::Result get(const std::string& path, const SignedIn& as) const;
    httplib::Result post(const std::string& path, const nlohmann::json& body, const SignedIn& as) const;
    static nlohmann::json json(const httplib::Result& result);
    // The answer's HTTP status; 0 when the server gave none.
    static int status(const httplib::Result& result) { return result ? result->status : 0; }
    SignedIn admin() const { return signIn("1", kAdminPassword); }
    SignedIn clerk() const { return signIn("7", kClerkPassword); }
    // Sends the bytes as the file of that name, as a page's file field does.
    httplib::Result upload(const std::string& name, const std::string& bytes, const SignedIn& as) const;

    // Polls the long job of the kind (each poll waits for news) until `done`
    // holds of it; every line it told is kept in `lines`.
    nlohmann::json pollUntil(const std::string& kind, const SignedIn& as,
                             const std::function<bool(const nlohmann::json&)>& done);
    static bool asks(const nlohmann::json& job) { return !job["question"].is_null(); }
    static bool ended(const nlohmann::json& job) { return !job["running"].get<bool>(); }
    // Starts a job of the kind (throws unless it starts) and polls it as pollUntil does, from its first line.
    nlohmann::json startJob(const std::string& kind, const nlohmann::json& body, const SignedIn& as,
                            const std::function<bool(const nlohmann::json&)>& done);
    // Answers the job's pending question with the reply; polls until the job asks again or ends.
    nlohmann::json answer(const std::string& kind, const nlohmann::json& job, nlohmann::json reply, const SignedIn& as);
    // The texts of the job's lines of the type, joined.
    std::string told(const std::string& type) const;

    std::vector<nlohmann::json> lines;

private:
    std::unique_ptr<ChildProcess> server_;
    int port_ = 0;
};

}  // namespace TestSupport
