// The commission-group window's part of the API: the grid in the module's
// columns and cells; a group's deletion, which the module asks about and
// refuses for a group with recipients, kept by the page until it saves; and
// the save, a window opened afresh that deletes the groups again, with the
// clerk's answers, and saves them. The window holds no lock while a clerk
// works, so a save checks first that the groups are still those the page
// was given: a change made meanwhile by another clerk refuses it (409),
// named. Every call needs the clerk's right on the window's menu item.
//
// GET /api/commission-groups; POST /api/commission-groups/delete {"id",
// "answers"}; POST /api/commission-groups {"request", "loaded": [rows as
// given], "removed": [ids]}.

#include "Core/Action/ActionContainer.h"
#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"
#include "apps/web/Call.h"
#include "apps/web/MenuItemRights.h"
#include "apps/web/PageDialogs.h"
#include "apps/web/RepeatedRequests.h"
#include "apps/web/StoreTurn.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

namespace Towary::Web {
namespace {

using ProductTools::CommissionGroupBrowser;
using Removal = CommissionGroupBrowser::Removal;

constexpr const char* kWindowCaption = "Grupy prowizyjne";

void requireRight(const Call& call) {
    requireMenuItem(call, ProductTools::kCommissionGroupBrowserMenuItem, kWindowCaption);
}

// The window comes from the registry, as every host opens it.
std::shared_ptr<CommissionGroupBrowser> openCommissionWindow() {
    return Core::Action::CContainer::invoke<CommissionGroupBrowser>("towary serve",
                                                                    ProductTools::kCommissionGroupBrowserGuid, nullptr);
}

nlohmann::json rowJson(const CommissionGroupBrowser& window, std::size_t row) {
    nlohmann::json cells = nlohmann::json::object();
    for (const auto& column : CommissionGroupBrowser::columns()) cells[column.key] = window.cell(row, column.key);
    return {{"id", window.groups().at(row)->id}, {"cells", std::move(cells)}};
}

nlohmann::json windowJson(const CommissionGroupBrowser& window) {
    nlohmann::json columns = nlohmann::json::array();
    for (const auto& column : CommissionGroupBrowser::columns())
        columns.push_back({{"key", column.key}, {"caption", column.caption}});
    nlohmann::json rows = nlohmann::json::array();
    for (std::size_t row = 0; row < window.groups().size(); ++row) rows.push_back(rowJson(window, row));
    return {{"columns", std::move(columns)}, {"rows", std::move(rows)}};
}

int groupId(const nlohmann::json& value) {
    if (!value.is_number_integer() || value.get<long long>() < 1 || value.get<long long>() > INT_MAX)
        throw Refused(http::status::bad_request, "Identyfikatory grup prowizyjnych podaje się jako liczby całkowite.");
    return value.get<int>();
}

std::size_t rowOf(const CommissionGroupBrowser& window, int id) {
    for (std::size_t row = 0; row < window.groups().size(); ++row)
        if (window.groups().at(row)->id == id) return row;
    throw Refused(http::status::not_found, "Nie ma grupy prowizyjnej o identyfikatorze " + std::to_string(id) +
                                               "; wczytaj okno ponownie.");
}

const nlohmann::json& listOf(const nlohmann::json& body, const char* name) {
    const auto found = body.find(name);
    if (found == body.end() || !found->is_array())
        throw Refused(http::status::bad_request, "Pole \"" + std::string(name) + "\" podaje się jako listę.");
    return *found;
}

// A row as the server gave it: an id and the cells, the name among them as text.
bool isGivenRow(const nlohmann::json& row) {
    if (!row.is_object() || !row.contains("id") || !row.contains("cells") || !row.at("cells").is_object())
        return false;
    const auto name = row.at("cells").find("NAME");
    return name != row.at("cells").end() && name->is_string();
}

std::string named(const nlohmann::json& row) {
    return "„" + row.at("cells").at("NAME").get<std::string>() + "” (" + std::to_string(row.at("id").get<int>()) + ")";
}

// What differs between the rows the page was given and the store's, each named; empty when nothing does.
std::vector<std::string> changesSince(const nlohmann::json& loaded, const CommissionGroupBrowser& window) {
    std::map<int, nlohmann::json> stored;
    for (std::size_t row = 0; row < window.groups().size(); ++row) {
        auto json = rowJson(window, row);
        stored.emplace(json["id"].get<int>(), std::move(json));
    }
    std::vector<std::string> changes;
    for (const auto& row : loaded) {
        if (!isGivenRow(row))
            throw Refused(http::status::bad_request, "Wczytane wiersze grup podaje się tak, jak je podał serwer.");
        const auto found = stored.find(groupId(row["id"]));
        if (found == stored.end())
            changes.push_back("usunięto grupę " + named(row));
        else if (found->second != row)
            changes.push_back("zmieniono grupę " + named(found->second));
        if (found != stored.end()) stored.erase(found);
    }
    for (const auto& [id, row] : stored) changes.push_back("dodano grupę " + named(row));
    return changes;
}

Response showWindow(const Call& call, StoreTurn& turn) {
    requireRight(call);
    return jsonReply(
        turn.run(call.clerk.userRef, [](const TSessionHolder&) { return windowJson(*openCommissionWindow()); }));
}

// The module's refusal of a group with recipients is the warning it shows.
[[noreturn]] void refuseRecipients(const PageDialogs& dialogs) {
    const auto messages = dialogs.messages();
    throw Refused(http::status::conflict, messages.empty() ? std::string() : messages.back());
}

// The deletion as the window makes it, not saved: the page keeps it until "Zapisz".
Response deleteGroup(const Call& call, StoreTurn& turn) {
    requireRight(call);
    const auto body = call.object();
    const auto id = groupId(body.contains("id") ? body["id"] : nlohmann::json());
    return jsonReply(turn.run(call.clerk.userRef, [&](const TSessionHolder&) {
        const auto window = openCommissionWindow();
        const auto row = rowOf(*window, id);
        const PageDialogs dialogs(body);
        const auto removal = window->remove(row);
        if (removal == Removal::HasRecipients) refuseRecipients(dialogs);
        return nlohmann::json{{"removed", removal == Removal::Removed}, {"question", dialogs.unanswered()}};
    }));
}

Response saveGroups(const Call& call, StoreTurn& turn, RepeatedRequests& saves) {
    requireRight(call);
    const auto body = call.object();
    const auto request = std::to_string(call.clerk.userRef) + "/" +
                         RepeatedRequests::idOf(body.contains("request") && body["request"].is_string()
                                                    ? body["request"].get<std::string>()
                                                    : std::string());
    const auto& loaded = listOf(body, "loaded");
    std::vector<int> removed;
    for (const auto& id : listOf(body, "removed")) {
        removed.push_back(groupId(id));
        if (std::count(removed.begin(), removed.end(), removed.back()) > 1)
            throw Refused(http::status::bad_request, "Grupa prowizyjna o identyfikatorze " +
                                                         std::to_string(removed.back()) + " jest usuwana dwa razy.");
    }
    return jsonReply(turn.run(call.clerk.userRef, [&](const TSessionHolder&) {
        saves.refuseRepeated(request);
        const auto window = openCommissionWindow();
        if (const auto changes = changesSince(loaded, *window); !changes.empty()) {
            std::string named;
            for (const auto& change : changes) named += (named.empty() ? "" : "; ") + change;
            throw Refused(http::status::conflict, "Od wczytania okna inny użytkownik zmienił grupy prowizyjne: " +
                                                      named + ". Nic nie zapisano; wczytaj okno ponownie.");
        }
        // The clerk agreed to each deletion when he made it.
        for (const int id : removed) {
            const PageDialogs agreed(nlohmann::json{{"answers", {{{"answer", true}}}}});
            if (window->remove(rowOf(*window, id)) == Removal::HasRecipients) refuseRecipients(agreed);
        }
        window->save();
        saves.carriedOut(request);
        return windowJson(*window);
    }));
}

}  // namespace

void addCommissionGroupRoutes(std::vector<ApiRoute>& routes) {
    const auto saves = std::make_shared<RepeatedRequests>();
    routes.push_back({http::verb::get, std::regex("/api/commission-groups"), showWindow});
    routes.push_back({http::verb::post, std::regex("/api/commission-groups/delete"), deleteGroup});
    routes.push_back({http::verb::post, std::regex("/api/commission-groups"),
                      [saves](const Call& call, StoreTurn& turn) { return saveGroups(call, turn, *saves); }});
}

}  // namespace Towary::Web
