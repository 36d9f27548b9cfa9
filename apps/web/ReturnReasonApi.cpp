// The return-reason window's part of the API. A page opens the window and
// holds it (ReasonWindowLease) while the clerk works: each edit goes to the
// window at once, through the module's editors, and the module checks the
// whole list, deleted reasons included, when it saves. The module's questions
// (delete, close with edits not saved) come back to the page with their texts
// and buttons and are answered by the request sent again with the answer.
// Every call needs the clerk's right on the window's menu item.
//
// POST /api/return-reasons/window {"previous": id}: opens it; then under
// /api/return-reasons/window/ID: GET (the window), POST add, edit {"row",
// "column", "value"}, delete {"row", "answers"}, restore {"row"}, reload
// ("Wycofaj"), save {"request"}, close {"answers"}, alive (the page's sign of
// life), leave (the page has gone: closed without a question).
// POST /api/return-reasons/send: "Wyślij na kasy".

#include "Core/UserMessage.h"
#include "apps/web/Call.h"
#include "apps/web/CssColour.h"
#include "apps/web/MenuItemRights.h"
#include "apps/web/PageDialogs.h"
#include "apps/web/ReasonWindowLease.h"
#include "apps/web/RepeatedRequests.h"

#include <cstdlib>
#include <memory>

namespace Towary::Web {
namespace {

using ProductTools::ReturnReasonBrowser;

constexpr const char* kWindowCaption = "Powody zwrotów";
// How long a page may stay silent before its window is closed; the page
// gives a sign of life every third of it. Above a minute: a browser runs the
// timers of a tab long hidden once a minute only.
constexpr std::chrono::seconds kSilence{150};
// Names the limit in seconds instead, for a test that cannot wait that long.
constexpr const char* kSilenceVariable = "TOWARY_WEB_WINDOW_SILENCE";

std::chrono::seconds silenceLimit() {
    const char* given = std::getenv(kSilenceVariable);
    if (given == nullptr) return kSilence;
    char* end = nullptr;
    const long seconds = std::strtol(given, &end, 10);
    if (*given == '\0' || *end != '\0' || seconds < 1 || seconds > 3600)
        throw std::runtime_error(std::string("Zmienna ") + kSilenceVariable +
                                 " podaje czas ciszy strony w sekundach, od 1 do 3600; podano \"" + given + "\".");
    return std::chrono::seconds(seconds);
}

nlohmann::json windowJson(const std::string& id, const ReturnReasonBrowser& window, std::chrono::seconds silence) {
    nlohmann::json columns = nlohmann::json::array();
    for (const auto& column : ReturnReasonBrowser::columns())
        columns.push_back({{"key", column.key}, {"caption", column.caption}});
    nlohmann::json rows = nlohmann::json::array();
    for (std::size_t row = 0; row < window.reasons().size(); ++row) {
        const auto& reason = window.reasons()[row];
        rows.push_back({{"id", reason.id},
                        {"cells", {{"ReturnReason", reason.text}, {"Shortcut", reason.shortcut}}},
                        {"deleted", reason.deleted},
                        {"fontColour", cssColourOf(window.fontColour(row))}});
    }
    return {{"window", id},
            {"columns", std::move(columns)},
            {"rows", std::move(rows)},
            {"modified", window.isModified()},
            {"signOfLifeSeconds", std::max<long long>(1, silence.count() / 3)}};
}

std::size_t rowOf(const nlohmann::json& body, const ReturnReasonBrowser& window) {
    const auto row = body.find("row");
    if (row == body.end() || !row->is_number_unsigned() || row->get<std::size_t>() >= window.reasons().size())
        throw Refused(http::status::not_found, "Nie ma takiego wiersza w oknie powodów zwrotów; wczytaj okno ponownie.");
    return row->get<std::size_t>();
}

std::string textOf(const nlohmann::json& body, const char* name) {
    const auto found = body.find(name);
    if (found == body.end() || !found->is_string())
        throw Refused(http::status::bad_request, "Pole \"" + std::string(name) + "\" podaje się jako tekst.");
    return found->get<std::string>();
}

// The part's state, shared by its routes for the server's life.
struct ReasonWindows {
    ReasonWindows(StoreTurn& turn, std::chrono::seconds limit) : lease(turn, limit), silence(limit) {}

    ReasonWindowLease lease;
    std::chrono::seconds silence;
    RepeatedRequests saves;
};

void requireRight(const Call& call) {
    requireMenuItem(call, ProductTools::kReturnReasonBrowserMenuItem, kWindowCaption);
}

Response openWindow(const Call& call, ReasonWindows& windows) {
    requireRight(call);
    const auto body = call.object();
    const auto previous = body.contains("previous") ? textOf(body, "previous") : std::string();
    try {
        return jsonReply(windows.lease.open(call.clerk, previous, [&](const std::string& id, auto& window) {
            return windowJson(id, window, windows.silence);
        }));
    } catch (const Refused&) {
        throw;
    } catch (const std::exception& e) {
        // The module's refusal: another window or program holds the list.
        throw Refused(http::status::conflict, Core::userMessage(e));
    }
}

// What a window's command works with, in the turn.
struct Command {
    ReturnReasonBrowser& window;
    const std::string& id;
    const nlohmann::json& body;
    nlohmann::json& reply;  // the window as it is after the command is added to it
};

template <class Work>
Response windowCommand(const Call& call, ReasonWindows& windows, Work&& work) {
    requireRight(call);
    const auto body = call.request.method() == http::verb::get ? nlohmann::json::object() : call.object();
    const std::string id = call.path[1];
    return jsonReply(windows.lease.use(call.clerk, id, [&](ReturnReasonBrowser& window) {
        nlohmann::json reply = nlohmann::json::object();
        Command command{window, id, body, reply};
        work(command);
        reply.update(windowJson(id, window, windows.silence));
        return reply;
    }));
}

void editCell(const Command& command) {
    const auto row = rowOf(command.body, command.window);
    const auto column = textOf(command.body, "column");
    const auto value = textOf(command.body, "value");
    if (column == "ReturnReason")
        command.window.editText(row, value);
    else if (column == "Shortcut")
        command.window.editShortcut(row, value);
    else
        throw Refused(http::status::bad_request, "Okno powodów zwrotów nie ma kolumny \"" + column + "\".");
}

// The module asks first; a question the page has not answered goes back to it.
void deleteRow(const Command& command) {
    const auto row = rowOf(command.body, command.window);
    const PageDialogs dialogs(command.body);
    command.window.remove(row);
    command.reply["question"] = dialogs.unanswered();
}

void save(const Command& command, RepeatedRequests& saves) {
    // Keyed by the window too: a page's request ids are its own.
    const auto request = command.id + "/" + RepeatedRequests::idOf(textOf(command.body, "request"));
    saves.refuseRepeated(request);
    command.window.save();
    saves.carriedOut(request);
}

// Closing asks about edits not saved; a window closed lets the list go.
Response closeWindow(const Call& call, ReasonWindows& windows) {
    bool closed = false;
    auto reply = windowCommand(call, windows, [&](const Command& command) {
        const PageDialogs dialogs(command.body);
        closed = command.window.close();
        command.reply["question"] = dialogs.unanswered();
    });
    if (!closed) return reply;
    windows.lease.release(call.clerk, call.path[1]);
    return jsonReply({{"closed", true}});
}

Response signOfLife(const Call& call, ReasonWindows& windows) {
    requireRight(call);
    windows.lease.signOfLife(call.clerk, call.path[1]);
    return jsonReply(nlohmann::json::object());
}

// The page has gone (closed, reloaded, left): no one is asked any more.
Response leave(const Call& call, ReasonWindows& windows) {
    requireRight(call);
    windows.lease.release(call.clerk, call.path[1]);
    return jsonReply(nlohmann::json::object());
}

// What the module tells when the sending succeeds comes back as the message.
Response sendToTills(const Call& call, StoreTurn& turn) {
    requireRight(call);
    return jsonReply(turn.run(call.clerk.userRef, [&](const TSessionHolder&) {
        const PageDialogs dialogs(nlohmann::json::object());
        ReturnReasonBrowser::sendToTills();
        const auto messages = dialogs.messages();
        return nlohmann::json{{"message", messages.empty() ? std::string() : messages.back()}};
    }));
}

}  // namespace

void addReturnReasonRoutes(std::vector<ApiRoute>& routes, StoreTurn& turn) {
    const auto windows = std::make_shared<ReasonWindows>(turn, silenceLimit());
    const std::string window = "/api/return-reasons/window/([0-9a-f]{64})";
    const auto route = [&](http::verb verb, const std::string& path, Response (*handle)(const Call&, ReasonWindows&)) {
        routes.push_back({verb, std::regex(path), [windows, handle](const Call& call, StoreTurn&) {
                              return handle(call, *windows);
                          }});
    };
    const auto windowRoute = [&](http::verb verb, const std::string& name, void (*work)(const Command&)) {
        routes.push_back({verb, std::regex(window + name), [windows, work](const Call& call, StoreTurn&) {
                              return windowCommand(call, *windows, work);
                          }});
    };
    route(http::verb::post, "/api/return-reasons/window", openWindow);
    windowRoute(http::verb::get, "", [](const Command&) {});
    windowRoute(http::verb::post, "/add", [](const Command& made) { made.reply["added"] = made.window.add(); });
    windowRoute(http::verb::post, "/edit", editCell);
    windowRoute(http::verb::post, "/delete", deleteRow);
    windowRoute(http::verb::post, "/restore",
            [](const Command& made) { made.window.restore(rowOf(made.body, made.window)); });
    windowRoute(http::verb::post, "/reload", [](const Command& made) { made.window.load(); });
    routes.push_back({http::verb::post, std::regex(window + "/save"), [windows](const Call& call, StoreTurn&) {
                          return windowCommand(call, *windows,
                                               [&](const Command& made) { save(made, windows->saves); });
                      }});
    route(http::verb::post, window + "/close", closeWindow);
    route(http::verb::post, window + "/alive", signOfLife);
    route(http::verb::post, window + "/leave", leave);
    routes.push_back({http::verb::post, std::regex("/api/return-reasons/send"), sendToTills});
}

}  // namespace Towary::Web
