// The status-change planning window's part of the API: the window as the page
// draws it, and the page's edits saved through a freshly opened window, which
// keeps the planning rules. This part adds the clerk's group rights: he sees
// the changes of the products he may browse only, and saves only when he may
// modify every product his edits touch. A save names the changes it edits or
// removes with the time of their last save as the page read them, and is
// refused over another clerk's save since; it carries an id of its own, and
// a repeat of it is refused, so that a double click writes once.

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
#include "Modules/Towary/Tools/rights/AccessChecks.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "Modules/Towary/Tools/ui/EditedCellColour.h"
#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "apps/web/Call.h"
#include "apps/web/CssColour.h"
#include "apps/web/Replies.h"
#include "apps/web/RepeatedRequests.h"
#include "apps/web/StoreTurn.h"

#include <boost/make_shared.hpp>

#include <climits>
#include <map>
#include <memory>

namespace Towary::Web {
namespace {

using Host::Products::BrowsableProducts;
using ProductTools::StatusChangeBrowser;

// The window comes from the registry, as every host opens it.
std::shared_ptr<StatusChangeBrowser> openStatusWindow() {
    return Core::Action::CContainer::invoke<StatusChangeBrowser>("towary serve", ProductTools::kStatusChangeBrowserGuid,
                                                                 nullptr);
}

nlohmann::json statusWindowRow(const StatusChangeBrowser& window, std::size_t row) {
    const auto& change = *window.rows().at(row);
    nlohmann::json cells = nlohmann::json::object();
    for (const auto& column : StatusChangeBrowser::columns()) cells[column.key] = window.cell(row, column.key);
    return {{"id", change.id},
            {"modifiedAt", change.modifiedAt},
            {"productId", change.productId},
            {"status", change.status},
            {"changeDate", Core::DayNumber::toText(change.changeDate)},
            {"applied", change.applied},
            {"past", window.isPast(row)},
            {"fontColour", cssColourOf(window.fontColour(row))},
            {"backgroundColour", cssColourOf(window.backgroundColour(row))},
            {"cells", std::move(cells)}};
}

nlohmann::json statusWindowJson(const StatusChangeBrowser& window, BrowsableProducts& browsable) {
    nlohmann::json columns = nlohmann::json::array();
    for (const auto& column : StatusChangeBrowser::columns())
        columns.push_back({{"key", column.key}, {"caption", column.caption}});
    nlohmann::json actions = nlohmann::json::array();
    for (const auto& action : StatusChangeBrowser::actions())
        actions.push_back({{"caption", action.caption}, {"key", action.key}});
    nlohmann::json statuses = nlohmann::json::array();
    for (const auto& status : Core::SingletonImplHolder::get<Core::ProductActivityStatuses>().getAllStatuses())
        statuses.push_back({{"code", status.id}, {"name", status.description}});
    const auto shown = browsable.browsableAmong("select productid from StatusChange");
    nlohmann::json rows = nlohmann::json::array();
    for (std::size_t row = 0; row < window.rows().size(); ++row)
        if (shown.contains(window.rows().at(row)->productId)) rows.push_back(statusWindowRow(window, row));
    return {{"title", ProductTools::kStatusChangeBrowserTitle},
            {"columns", std::move(columns)},
            {"actions", std::move(actions)},
            {"statuses", std::move(statuses)},
            {"today", Core::DayNumber::toText(Core::DayNumber::today())},
            // The cells' background of a row the page adds, which the window has not drawn yet.
            {"backgroundColour", cssColourOf(ProductTools::editedCellColour())},
            {"rows", std::move(rows)}};
}

Response showStatusWindow(const Call& call, StoreTurn& store) {
    return jsonReply(store.run(call.clerk.userRef, [&](const TSessionHolder& session) {
        BrowsableProducts browsable(call.clerk.userRef, session);
        return statusWindowJson(*openStatusWindow(), browsable);
    }));
}

// The page's edits: rows added, rows changed (by the change's id), rows removed.
struct AddedStatusRow {
    int product;
    std::optional<int> status;  // none: the status the window plans, the product's own
    int day;
};
// A change the page edits or removes, with the time of its last save as the page was given it.
struct SeenChange {
    int id;
    double modifiedAt;
};
struct ChangedStatusRow {
    SeenChange seen;
    int status;
    int day;
};
struct StatusEdits {
    std::string request;  // the save's id, carried out once
    std::vector<AddedStatusRow> added;
    std::vector<ChangedStatusRow> changed;
    std::vector<SeenChange> removed;
};

int wholeNumber(const nlohmann::json& value, int least) {
    if (!value.is_number_integer() || value.get<long long>() < least || value.get<long long>() > INT_MAX)
        throw Refused(http::status::bad_request, "Identyfikatory i statusy podaje się jako liczby całkowite.");
    return value.get<int>();
}

int dayOf(const nlohmann::json& value) {
    if (!value.is_string()) throw Refused(http::status::bad_request, "Datę zmiany podaje się jako RRRR-MM-DD.");
    return Core::DayNumber::fromText(value.get<std::string>());
}

const nlohmann::json& listOf(const nlohmann::json& body, const char* name) {
    static const nlohmann::json none = nlohmann::json::array();
    const auto found = body.find(name);
    if (found == body.end()) return none;
    if (!found->is_array()) throw Refused(http::status::bad_request, "Zmiany planu podaje się jako listy wierszy.");
    return *found;
}

const nlohmann::json& fieldOf(const nlohmann::json& row, const char* name) {
    if (!row.is_object() || !row.contains(name))
        throw Refused(http::status::bad_request, "W wierszu zmian planu brak pola \"" + std::string(name) + "\".");
    return row.at(name);
}

SeenChange seenChangeOf(const nlohmann::json& row) {
    const auto& modifiedAt = fieldOf(row, "modifiedAt");
    if (!modifiedAt.is_number())
        throw Refused(http::status::bad_request, "Czas zapisu zmiany podaje się tak, jak go podał serwer.");
    return {wholeNumber(fieldOf(row, "id"), 1), modifiedAt.get<double>()};
}

StatusEdits statusEditsOf(const Call& call) {
    const auto body = call.object();
    StatusEdits edits;
    const auto request = body.find("request");
    edits.request = std::to_string(call.clerk.userRef) + "/" +
                    RepeatedRequests::idOf(request != body.end() && request->is_string() ? request->get<std::string>()
                                                                                         : std::string());
    for (const auto& row : listOf(body, "added"))
        edits.added.push_back({wholeNumber(fieldOf(row, "productId"), 1),
                               row.contains("status") ? std::optional(wholeNumber(row["status"], 0)) : std::nullopt,
                               dayOf(fieldOf(row, "changeDate"))});
    for (const auto& row : listOf(body, "changed"))
        edits.changed.push_back(
            {seenChangeOf(row), wholeNumber(fieldOf(row, "status"), 0), dayOf(fieldOf(row, "changeDate"))});
    for (const auto& row : listOf(body, "removed")) edits.removed.push_back(seenChangeOf(row));
    return edits;
}

[[noreturn]] void refuseUnknownChange(int id) {
    throw Refused(http::status::not_found,
                  "Nie ma zaplanowanej zmiany statusu o identyfikatorze " + std::to_string(id) + ".");
}

std::size_t rowOfChange(const StatusChangeBrowser& window, int id) {
    for (std::size_t row = 0; row < window.rows().size(); ++row)
        if (window.rows().at(row)->id == id) return row;
    refuseUnknownChange(id);
}

// The products the edits touch, each once. A change or product the clerk may
// not browse reads as one that does not exist.
std::vector<TTowarPtr> touchedProducts(const StatusEdits& edits, const StatusChangeBrowser& window,
                                       BrowsableProducts& browsable, const TSessionHolder& session) {
    std::map<int, TTowarPtr> touched;
    const auto touch = [&](int product) {
        if (!touched.contains(product)) touched[product] = Towar::getProduct(static_cast<unsigned>(product), session);
    };
    const auto touchChange = [&](int id) {
        const int product = window.rows().at(rowOfChange(window, id))->productId;
        if (!browsable.mayBrowse(product)) refuseUnknownChange(id);
        touch(product);
    };
    for (const auto& row : edits.removed) touchChange(row.id);
    for (const auto& row : edits.changed) touchChange(row.seen.id);
    for (const auto& row : edits.added) {
        DBKernel::Sql::PreparedQuery exists("select 1 from towar where lTowarRef = :id", session);
        exists.Params["id"] = row.product;
        exists.execute();
        if (exists.empty() || !browsable.mayBrowse(row.product))
            throw Refused(http::status::not_found,
                          "Nie ma towaru o identyfikatorze " + std::to_string(row.product) + ".");
        touch(row.product);
    }
    std::vector<TTowarPtr> products;
    for (auto& [id, product] : touched) products.push_back(std::move(product));
    return products;
}

void requireModifiable(const std::vector<TTowarPtr>& products, int userRef, const TSessionHolder& session) {
    GroupRights::Container rights;
    GroupRights::InputStream(userRef, session).containerFromStream(rights);
    for (const auto& product : products) {
        // One product at a time, so that the refusal names the one he may not modify.
        auto one = boost::make_shared<TTowarCollection>();
        one->add(product);
        if (!GroupRights::canEditAllProducts(one, rights))
            throw Refused(http::status::forbidden,
                          "Brak uprawnienia do modyfikacji towaru " + product->GetNazwa() + " (" +
                              std::to_string(product->GetTowarRef()) + ") w jego grupie; nic nie zapisano.");
    }
}

// Removals first, so that a changed or added row may take the day a removed one held.
void applyStatusEdits(const StatusEdits& edits, StatusChangeBrowser& window) {
    for (const auto& edit : edits.removed) window.remove(rowOfChange(window, edit.id));
    for (const auto& edit : edits.changed) {
        const auto row = rowOfChange(window, edit.seen.id);
        // Only what the page changed goes through the editors: an applied row refuses every edit.
        if (window.rows().at(row)->changeDate != edit.day) window.setChangeDate(row, edit.day);
        if (window.rows().at(row)->status != edit.status) window.setStatus(row, edit.status);
    }
    for (const auto& edit : edits.added) {
        const auto row = window.add(edit.product, edit.day);
        if (edit.status) window.setStatus(row, *edit.status);
    }
}

// A change the page edits or removes that another clerk saved since the page
// read it is not written over: the save is refused, naming each such change.
void refuseStale(const StatusEdits& edits, const StatusChangeBrowser& window) {
    std::vector<SeenChange> seen(edits.removed);
    for (const auto& edit : edits.changed) seen.push_back(edit.seen);
    std::string changed;
    for (const auto& change : seen) {
        const auto& row = *window.rows().at(rowOfChange(window, change.id));
        if (row.modifiedAt == change.modifiedAt) continue;
        changed += (changed.empty() ? "" : "; ") + row.productIndex + " " + row.productName + " na " +
                   Core::DayNumber::toText(row.changeDate);
    }
    if (!changed.empty())
        throw Refused(http::status::conflict, "Od wczytania okna inny użytkownik zapisał zmiany statusu: " + changed +
                                                  ". Nic nie zapisano; wczytaj okno ponownie.");
}

Response saveStatusEdits(const Call& call, StoreTurn& store, RepeatedRequests& saves) {
    const auto edits = statusEditsOf(call);
    return jsonReply(store.run(call.clerk.userRef, [&](const TSessionHolder& session) {
        saves.refuseRepeated(edits.request);
        BrowsableProducts browsable(call.clerk.userRef, session);
        const auto window = openStatusWindow();
        requireModifiable(touchedProducts(edits, *window, browsable, session), call.clerk.userRef, session);
        refuseStale(edits, *window);
        applyStatusEdits(edits, *window);
        window->save();
        saves.carriedOut(edits.request);
        return statusWindowJson(*window, browsable);
    }));
}

}  // namespace

void addStatusChangeRoutes(std::vector<ApiRoute>& routes) {
    routes.push_back({http::verb::get, std::regex("/api/status-changes"), showStatusWindow});
    const auto saves = std::make_shared<RepeatedRequests>();
    routes.push_back({http::verb::post, std::regex("/api/status-changes"), [saves](const Call& call, StoreTurn& store) {
                          return saveStatusEdits(call, store, *saves);
                      }});
}

}  // namespace Towary::Web
