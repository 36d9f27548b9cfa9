// The long jobs' part of the API: the PLU check of the service menu, the
// evening run for a day, the import of a product file and the VAT changes'
// plan, changes of a day and PKWiU list, each started as a job of the board
// (apps/web/JobBoard.h), watched, answered and cancelled from its page; the
// evening run's logs by day; the VAT changes pending; the files clerks send
// (apps/web/Uploads.h) and the products' export as a download. The jobs and
// the export work on the whole store, which no group right covers: only the
// administrator runs them. Any clerk may send a file, for a module's file
// dialog, and choose a purchase-condition variant for an order position from
// a file he sent, in a job of his own.

#include "Core/Store/StoreLocation.h"
#include "Core/User/User.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/Numbers.h"
#include "apps/towary/products/PendingVatChanges.h"
#include "apps/web/Call.h"
#include "apps/web/JobBoard.h"
#include "apps/web/Replies.h"
#include "apps/web/StoreTurn.h"
#include "apps/web/StaticFiles.h"
#include "apps/web/TowaryChild.h"
#include "apps/web/Uploads.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace Towary::Web {
namespace {

const std::string kPluCheck = "plu-check";
const std::string kEvening = "evening";
const std::string kProductsImport = "products-import";
const std::string kOrderVariant = "order-variant";
const std::string kVatPlan = "vat-plan";
const std::string kVatApply = "vat-apply";
const std::string kVatImport = "vat-import";
const std::regex kDayPattern("\\d{4}-\\d{2}-\\d{2}");

const std::string kServiceWork =
    "Sprawdzenie kodów PLU i odczyt wieczorny obejmują cały sklep: uruchamia je i ogląda tylko administrator.";
const std::string kProductFiles =
    "Import i eksport towarów obejmują cały sklep: uruchamia je i ogląda tylko administrator.";
const std::string kVatWork =
    "Zmiany stawek VAT obejmują cały sklep: planuje je, wykonuje i ogląda tylko administrator.";

void requireAdministrator(const Call& call, const std::string& refusal) {
    if (call.clerk.userRef != Core::User::kDefaultUserRef) throw Refused(http::status::forbidden, refusal);
}

// The board's name of the job of the kind the call concerns. Work on the whole
// store (a refusal given) is the administrator's, one job of the kind at a
// time; a clerk's own work (no refusal) is a job of each clerk's, which only
// he watches, answers or cancels, so that clerks never wait for each other.
std::string jobOf(const Call& call, const std::string& kind, const std::string& refusal) {
    if (refusal.empty()) return kind + "/" + std::to_string(call.clerk.userRef);
    requireAdministrator(call, refusal);
    return kind;
}

// The child runs for the clerk, on the store the server serves.
std::vector<std::string> jobArguments(const Call& call, std::vector<std::string> command) {
    std::vector<std::string> args{"--dialogs", "json", "--user", std::to_string(call.clerk.userRef)};
    args.insert(args.end(), command.begin(), command.end());
    return args;
}

// A day as the page sends it, checked before it reaches a command line or a file name.
std::string dayOf(const nlohmann::json& value) {
    if (!value.is_string() || !std::regex_match(value.get<std::string>(), kDayPattern))
        throw Refused(http::status::bad_request, "Dzień podaje się jako RRRR-MM-DD.");
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

// The file a page names by its upload id in a request's field.
std::filesystem::path uploadedFile(const Call& call, Uploads& uploads, const nlohmann::json& id) {
    if (!id.is_string()) throw Refused(http::status::bad_request, "Brak identyfikatora przesłanego pliku.");
    return uploads.path(call.clerk.userRef, id.get<std::string>());
}

// The products' file, made by a `towary products export` of its own, so
// that the server's turn on the store is not held while it is written.
std::string exportedProducts(const Call& call, Uploads& uploads) {
    const auto file = uploads.scratchPath(".csv");
    TowaryChild child(jobArguments(call, {"products", "export", Core::Store::directory().string(), file.string()}));
    std::string failure = "Eksport towarów nie zakończył się.";
    bool ok = false;
    while (const auto line = child.line()) {
        const auto event = nlohmann::json::parse(*line, nullptr, false);
        if (!event.is_object() || event.value("type", "") != "end") continue;
        ok = event.value("ok", false);
        failure = event.value("text", failure);
    }
    child.wait();
    auto text = ok ? StaticFiles::read(file) : std::nullopt;
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (!text) throw Refused(http::status::conflict, failure);
    return std::move(*text);
}

// Starts `command` (a group and its command) on the store and a file the
// clerk sent, run in the file's folder so that the module's messages name the
// file as the clerk named it; "./" keeps a name with a leading dash a file.
void startOverFile(JobBoard& board, const Call& call, Uploads& uploads, const std::string& job, const std::string& busy,
                   std::vector<std::string> command) {
    const auto file = uploadedFile(call, uploads, call.object().value("upload", nlohmann::json()));
    const auto name = file.filename().string();
    command.push_back(std::filesystem::absolute(Core::Store::directory()).string());
    command.push_back(name.starts_with("-") ? "./" + name : name);
    board.start(job, busy, call.clerk.userRef, call.clerk.userName, jobArguments(call, std::move(command)),
                file.parent_path());
}

void addJob(std::vector<ApiRoute>& routes, JobBoard& board, Uploads& uploads, const std::string& kind,
            const std::string& refusal, std::function<void(const Call&)> start) {
    const std::string path = "/api/jobs/" + kind;
    routes.push_back({http::verb::post, std::regex(path), [start, kind, refusal](const Call& call, StoreTurn&) {
                          jobOf(call, kind, refusal);  // refuses a clerk whom the work is not for
                          start(call);
                          return jsonReply(nlohmann::json::object(), http::status::accepted);
                      }});
    routes.push_back({http::verb::get, std::regex(path), [&board, kind, refusal](const Call& call, StoreTurn&) {
                          const auto job = jobOf(call, kind, refusal);
                          const auto from = call.parameter("from");
                          const auto next = from.empty() ? std::optional<std::size_t>(0)
                                                         : Core::parseNumber<std::size_t>(from);
                          if (!next)
                              throw Refused(http::status::bad_request, "Parametr from podaje się jako liczbę wierszy.");
                          return jsonReply({{"job", board.watch(job, *next)}});
                      }});
    routes.push_back(
        {http::verb::post, std::regex(path + "/answer"), [&board, &uploads, kind, refusal](const Call& call, StoreTurn&) {
             const auto job = jobOf(call, kind, refusal);
             const auto body = call.object();
             const auto question = body.find("question");
             if (question == body.end() || !question->is_number_integer())
                 throw Refused(http::status::bad_request, "Brak numeru pytania, na które to odpowiedź.");
             // A file dialog is answered with a file the clerk sent.
             const auto upload = body.find("upload");
             const auto file = upload == body.end() ? std::nullopt
                                                    : std::optional(uploadedFile(call, uploads, *upload));
             board.answer(job, question->get<int>(), body, file);
             return jsonReply(nlohmann::json::object());
         }});
    routes.push_back({http::verb::post, std::regex(path + "/cancel"), [&board, kind, refusal](const Call& call, StoreTurn&) {
                          board.cancel(jobOf(call, kind, refusal));
                          return jsonReply(nlohmann::json::object());
                      }});
}

}  // namespace

void addJobRoutes(std::vector<ApiRoute>& routes, JobBoard& board, Uploads& uploads) {
    addJob(routes, board, uploads, kPluCheck, kServiceWork, [&board](const Call& call) {
        board.start(kPluCheck, "Sprawdzanie kodów PLU już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"plu", "check", Core::Store::directory().string()}));
    });
    addJob(routes, board, uploads, kEvening, kServiceWork, [&board](const Call& call) {
        const auto body = call.object();
        const auto day = dayOf(body.contains("day") ? body["day"] : nlohmann::json());
        board.start(kEvening, "Odczyt wieczorny już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"evening", Core::Store::directory().string(), "--day", day}));
    });
    addJob(routes, board, uploads, kProductsImport, kProductFiles, [&board, &uploads](const Call& call) {
        startOverFile(board, call, uploads, kProductsImport, "Import towarów już trwa", {"products", "import"});
    });
    addJob(routes, board, uploads, kOrderVariant, "", [&board, &uploads](const Call& call) {
        startOverFile(board, call, uploads, jobOf(call, kOrderVariant, ""), "Wybór wariantu warunku zakupu już trwa",
                      {"order", "variant"});
    });
    addJob(routes, board, uploads, kVatPlan, kVatWork, [&board](const Call& call) {
        board.start(kVatPlan, "Planowanie zmian stawek VAT już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"vat", "plan", Core::Store::directory().string()}));
    });
    addJob(routes, board, uploads, kVatApply, kVatWork, [&board](const Call& call) {
        const auto day = dayOf(call.object().value("day", nlohmann::json()));
        // Changes carried out cannot be undone: a day still to come keeps its changes for that day.
        if (Core::DayNumber::fromText(day) > Core::DayNumber::today())
            throw Refused(http::status::bad_request,
                          "Zmiany stawek VAT zaplanowane na dzień " + day + " wykonuje się w tym dniu albo później.");
        board.start(kVatApply, "Wykonywanie zmian stawek VAT już trwa", call.clerk.userRef, call.clerk.userName,
                    jobArguments(call, {"vat", "apply", Core::Store::directory().string(), "--day", day}));
    });
    addJob(routes, board, uploads, kVatImport, kVatWork, [&board, &uploads](const Call& call) {
        startOverFile(board, call, uploads, kVatImport, "Import listy PKWiU już trwa", {"vat", "import"});
    });
    routes.push_back({http::verb::get, std::regex("/api/vat/pending"), [](const Call& call, StoreTurn& turn) {
                          requireAdministrator(call, kVatWork);
                          const auto pending = turn.run(call.clerk.userRef, [](const TSessionHolder& session) {
                              return Host::Products::pendingVatChanges(session);
                          });
                          nlohmann::json rows = nlohmann::json::array();
                          for (const auto& change : pending)
                              rows.push_back({{"product", change.product}, {"articleIndex", change.articleIndex},
                                              {"name", change.name}, {"day", Core::DayNumber::toText(change.day)},
                                              {"rateFrom", change.rateFrom}, {"rateTo", change.rateTo}});
                          return jsonReply({{"changes", rows}});
                      }});
    routes.push_back({http::verb::get, std::regex("/api/evening/logs"), [](const Call& call, StoreTurn&) {
                          requireAdministrator(call, kServiceWork);
                          return jsonReply({{"days", eveningLogDays()}});
                      }});
    routes.push_back({http::verb::get, std::regex("/api/evening/logs/(.*)"), [](const Call& call, StoreTurn&) {
                          requireAdministrator(call, kServiceWork);
                          const auto day = dayOf(call.path[1].str());
                          const auto text = StaticFiles::read(logOf(day));
                          if (!text)
                              throw Refused(http::status::not_found, "Brak dziennika odczytu wieczornego z dnia " + day + ".");
                          return jsonReply({{"day", day}, {"text", *text}});
                      }});
    routes.push_back({http::verb::get, std::regex("/api/export/products.csv"), [&uploads](const Call& call, StoreTurn&) {
                          requireAdministrator(call, kProductFiles);
                          auto reply = contentReply(exportedProducts(call, uploads), "text/csv; charset=utf-8");
                          reply.set(http::field::content_disposition, "attachment; filename=\"towary.csv\"");
                          return reply;
                      }});
    ApiRoute upload{http::verb::post, std::regex(std::string(kUploadPath)), [&uploads](const Call& call, StoreTurn&) {
                        const auto id = uploads.keep(call.clerk.userRef, call.parameter("name"), call.request.body());
                        return jsonReply({{"upload", id}, {"size", call.request.body().size()}},
                                         http::status::created);
                    }};
    upload.takesFile = true;
    routes.push_back(std::move(upload));
}

}  // namespace Towary::Web
