#include "tests/web/WebServerProcess.h"

#include <regex>

namespace TestSupport {

WebServerProcess::WebServerProcess() {
    exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode) values (100, 'Nabiał', '01', 1), "
         "(200, 'Chemia', '02', 1)",
         "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen, byVAT) values "
         "(1, 'Mleko łaciate', '01', '000123', 6, 0, 1), (2, 'Mleko owsiane', '01', '000124', 6, 0, 1), "
         "(3, 'Płyn do naczyń', '02', '000200', 6, 0, 1), "
         "(4, '<script>alert(1)</script>\"''><img src=x>', '02', '000201', 6, 0, 1)",
         "insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (10, '5901234123457', 1, 1), "
         "(11, '5900000000017', 3, 1)",
         "insert into uzytkownik (luzytkref, snazwa) values (7, 'Kierownik nabiału')",
         "insert into uzytkgrouprights (luzytkref, sgrindex, przegladaniegrupy, rekordemzarzadza) values "
         "(7, '01', 2, 2)");
    for (const auto& [user, password] : {std::pair{"1", kAdminPassword}, std::pair{"7", kClerkPassword}})
        expectSuccess(runTowary({"users", "password", dir_, user}, std::string(password) + "\n"));
    server_ = std::make_unique<ChildProcess>(std::string(TOWARY_BIN_DIR) + "/towary",
                                             std::vector<std::string>{"serve", dir_, "--listen", "127.0.0.1:0"});
    const std::string started = server_->line();
    std::smatch port;
    if (!std::regex_search(started, port, std::regex(":(\\d+)/")))
        throw std::runtime_error("the server did not start: " + started + server_->kill(SIGTERM).err);
    port_ = std::stoi(port[1]);
}

WebServerProcess::~WebServerProcess() {
    const auto stopped = server_->kill(SIGTERM);
    EXPECT_EQ(stopped.exitCode, 0) << stopped.err;
}

httplib::Client WebServerProcess::client() const {
    httplib::Client made("127.0.0.1", port_);
    made.set_read_timeout(30, 0);
    return made;
}

httplib::Result WebServerProcess::signInAnswer(const std::string& user, const std::string& password) const {
    return client().Post("/api/sign-in", nlohmann::json{{"user", user}, {"password", password}}.dump(), "application/json");
}

SignedIn WebServerProcess::signIn(const std::string& user, const std::string& password) const {
    const auto result = signInAnswer(user, password);
    if (!result || result->status != 200) throw std::runtime_error("sign-in refused for " + user);
    const auto cookie = result->get_header_value("Set-Cookie");
    return {cookie.substr(0, cookie.find(';')), json(result)["csrfToken"]};
}

httplib::Result WebServerProcess::get(const std::string& path, const SignedIn& as) const {
    return client().Get(path.c_str(), httplib::Headers{{"Cookie", as.cookie}});
}

httplib::Result WebServerProcess::post(const std::string& path, const nlohmann::json& body, const SignedIn& as) const {
    httplib::Headers headers{{"Cookie", as.cookie}};
    if (!as.csrf.empty()) headers.emplace("X-CSRF-Token", as.csrf);
    return client().Post(path.c_str(), headers, body.dump(), "application/json");
}

nlohmann::json WebServerProcess::json(const httplib::Result& result) {
    if (!result) throw std::runtime_error("no answer");
    return nlohmann::json::parse(result->body);
}

httplib::Result WebServerProcess::upload(const std::string& name, const std::string& bytes, const SignedIn& as) const {
    return client().Post("/api/uploads?name=" + name, {{"Cookie", as.cookie}, {"X-CSRF-Token", as.csrf}}, bytes,
                         "application/octet-stream");
}

nlohmann::json WebServerProcess::pollUntil(const std::string& kind, const SignedIn& as,
                                           const std::function<bool(const nlohmann::json&)>& done) {
    for (int poll = 0; poll < 120; ++poll) {
        const auto job = json(get("/api/jobs/" + kind + "?from=" + std::to_string(lines.size()), as))["job"];
        for (const auto& line : job["lines"]) lines.push_back(line);
        if (done(job)) return job;
    }
    throw std::runtime_error("the job never came to the state awaited");
}

nlohmann::json WebServerProcess::startJob(const std::string& kind, const nlohmann::json& body, const SignedIn& as,
                                          const std::function<bool(const nlohmann::json&)>& done) {
    lines.clear();
    const auto started = post("/api/jobs/" + kind, body, as);
    if (status(started) != 202) throw std::runtime_error("the job was not started: " + (started ? started->body : ""));
    return pollUntil(kind, as, done);
}

nlohmann::json WebServerProcess::answer(const std::string& kind, const nlohmann::json& job, nlohmann::json reply,
                                        const SignedIn& as) {
    reply["question"] = job["question"]["id"];
    EXPECT_EQ(status(post("/api/jobs/" + kind + "/answer", reply, as)), 200);
    return pollUntil(kind, as, [](const nlohmann::json& next) { return asks(next) || ended(next); });
}

std::string WebServerProcess::told(const std::string& type) const {
    std::string text;
    for (const auto& line : lines)
        if (line["type"] == type) text += line["text"].get<std::string>();
    return text;
}

}  // namespace TestSupport
