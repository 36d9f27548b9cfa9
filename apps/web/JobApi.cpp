// The long jobs' part of the API: the PLU check of the service menu and the
// evening run for a day, each started as a job of the board (apps/web/JobBoard.h),
// watched, answered and cancelled from its page; and the evening run's logs by
// day. Both jobs work on the whole store, which no group right covers: only
// the administrator starts, watches or answers them, or reads the logs.

#include "Core/Store/StoreLocation.h"
#include "Core/User/User.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/Numbers.h"
#include "apps/web/Call.h"
#include "apps/web/JobBoard.h"
#include "apps/web/Replies.h"
#include "apps/web/StaticFiles.h"

#include <algorithm>
#include <optional>
#include <filesystem>

namespace Towary::Web {
namespace {

const std::string kPluCheck = "plu-check";
const std::string kEvening = "evening";
const std::regex kDayPattern("\\d{4}-\\d{2}-\\d{2}");

void requireAdministrator(const Call& call) {
    if (call.clerk.userRef != Core::User::kDefaultUserRef)
        throw Refused(http::status::forbidden,
                      "Sprawdzenie kodów PLU i odczyt wieczorny obejmują cały sklep: uruchamia je i ogląda tylko "
                      "administrator.");
}

nlohmann::json requestObject(const Call& call) {
    auto body = nlohmann::json::parse(call.request.body(), nullptr, false);
    if (body.is_discarded() || !body.is_object())
        throw Refused(http::status::bad_request, "Treść żądania nie jest poprawnym obiektem JSON.");
    return body;
}

// The child runs for the clerk, on the store the server serves.
std::vector<std::string> jobArguments(const Call& call, std::vector<std::string> command) {
    std::vector<std::string> args{"--dialogs", "json", "--user", std::to_string(call.clerk.userRef)};
    args.insert(args.end(), command.begin(), command.end());
    return args;
}

// A day as the page sends it, checked before it reaches a command line or a file name.
std::string eveningDay(const nlohmann::json& value) {
    if (!value.is_string() || !std::regex_match(value.get<std::string>(), kDayPattern))
        throw Refused(http::status::bad_request, "Dzień odczytu podaje się jako RRRR-MM-DD.");
    const auto day = value.get<std::string>();
    try {
        if (Core::DayNumber::toText(Core::DayNumber::fromText(day)) == day) return day;
    } catch (const std::exception&) {
    }
    throw Refused(http::status::bad_request, "Nie ma dnia " + day + ".");
}

std::filesystem::path logOf(const std::string& day) {
    return Core::Store::logDirectory() / ("evening-" + day + ".log");
}

nlohmann::json eveningLogDays() {
    nlohmann::json days = nlohmann::json::array();
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Core::Store::logDirectory(), error)) {
        const auto name = entry.path().filename().string();
        if (name.size() == 22 && name.starts_with("evening-") && name.ends_with(".log") &&
            std::regex_match(name.substr(8, 10), kDayPattern))
            found.push_back(name.substr(8, 10));
    }
    std::sort(found.rbegin(), found.rend());
    for (const auto& day : found) days.push_back(day);
    return days;
}

void addJob(std::vector<ApiRoute>& routes, JobBoard& board, const std::string& kind,
            std::function<void(const Call&)> start) {
    const std::string path = "/api/jobs/" + kind;
    routes.push_back({http::verb::post, std::regex(path), [start](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          start(call);
                          return jsonReply(nlohmann::json::object(), http::status::accepted);
                      }});
    routes.push_back({http::verb::get, std::regex(path), [&board, kind](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          const auto from = call.parameter("from");
                          const auto next = from.empty() ? std::optional<std::size_t>(0)
                                                         : Core::parseNumber<std::size_t>(from);
                          if (!next)
                              throw Refused(http::status::bad_request, "Parametr from podaje się jako liczbę wierszy.");
                          return jsonReply({{"job", board.watch(kind, *next)}});
                      }});
    routes.push_back({http::verb::post, std::regex(path + "/answer"), [&board, kind](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          const auto body = requestObject(call);
                          const auto question = body.find("question");
                          if (question == body.end() || !question->is_number_integer())
                              throw Refused(http::status::bad_request, "Brak numeru pytania, na które to odpowiedź.");
                          board.answer(kind, question->get<int>(), body);
                          return jsonReply(nlohmann::json::object());
                      }});
    routes.push_back({http::verb::post, std::regex(path + "/cancel"), [&board, kind](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          board.cancel(kind);
                          return jsonReply(nlohmann::json::object());
                      }});
}

}  // namespace

void addJobRoutes(std::vector<ApiRoute>& routes, JobBoard& board) {
    addJob(routes, board, kPluCheck, [&board](const Call& call) {
        board.start(kPluCheck, "Sprawdzanie kodów PLU już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"plu", "check", Core::Store::directory().string()}));
    });
    addJob(routes, board, kEvening, [&board](const Call& call) {
        const auto body = requestObject(call);
        const auto day = eveningDay(body.contains("day") ? body["day"] : nlohmann::json());
        board.start(kEvening, "Odczyt wieczorny już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"evening", Core::Store::directory().string(), "--day", day}));
    });
    routes.push_back({http::verb::get, std::regex("/api/evening/logs"), [](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          return jsonReply({{"days", eveningLogDays()}});
                      }});
    routes.push_back({http::verb::get, std::regex("/api/evening/logs/(.*)"), [](const Call& call, StoreTurn&) {
                          requireAdministrator(call);
                          const auto day = eveningDay(call.path[1].str());
                          const auto text = StaticFiles::read(logOf(day));
                          if (!text)
                              throw Refused(http::status::not_found, "Brak dziennika odczytu wieczornego z dnia " + day + ".");
                          return jsonReply({{"day", day}, {"text", *text}});
                      }});
}

}  // namespace Towary::Web
