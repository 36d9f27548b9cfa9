// The products' part of the API: the identifier search, paged, and a
// product's card with its price history. Only products of groups the clerk
// may browse are shown; any other reads as no product at all.

#include "Modules/Towary/Tools/plu/IdentifierChars.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "apps/towary/products/ProductCard.h"
#include "apps/towary/products/ProductFind.h"
#include "apps/web/Call.h"
#include "apps/web/Replies.h"
#include "apps/web/StoreTurn.h"
#include "Core/Database/Query.h"

#include <unicode/utf8.h>

#include <charconv>

namespace Towary::Web {
namespace {

constexpr std::size_t kPageSize = 50;
constexpr std::size_t kLongestIdentifier = 100;

// The identifier field's characters, as the terminal's field takes them.
void requireIdentifier(const std::string& identifier) {
    if (identifier.empty()) throw Refused(http::status::bad_request, "Podaj identyfikator towaru.");
    if (identifier.size() > kLongestIdentifier)
        throw Refused(http::status::bad_request, "Identyfikator towaru jest za długi.");
    for (std::int32_t at = 0; at < static_cast<std::int32_t>(identifier.size());) {
        UChar32 c = 0;
        U8_NEXT(identifier.data(), at, static_cast<std::int32_t>(identifier.size()), c);
        if (c < 0 || !Product::Tools::isValidIdentifierChar(static_cast<char32_t>(c)))
            throw Refused(http::status::bad_request,
                          "Identyfikator towaru może zawierać tylko litery, cyfry oraz znaki %, * i /.");
    }
}

std::size_t pageNumber(const Call& call) {
    const auto text = call.parameter("page");
    if (text.empty()) return 1;
    std::size_t page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (error != std::errc() || end != text.data() + text.size() || page == 0 || page > 1'000'000)
        throw Refused(http::status::bad_request, "Numer strony wyników musi być liczbą całkowitą od 1.");
    return page;
}

Response search(const Call& call, StoreTurn& store) {
    const auto identifier = call.parameter("identifier");
    requireIdentifier(identifier);
    const auto page = pageNumber(call);
    const auto found = store.run(call.clerk.userRef, [&](const TSessionHolder& session) {
        return Host::Products::findProductsPage(identifier, call.clerk.userRef, (page - 1) * kPageSize, kPageSize,
                                                session);
    });
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& product : found.rows)
        rows.push_back({{"id", product.ref},
                        {"articleIndex", product.articleIndex},
                        {"name", product.name},
                        {"isGroup", product.isGroup},
                        {"liveCodes", product.liveCodes}});
    nlohmann::json body{{"rows", std::move(rows)},
                        {"page", page},
                        {"pages", (found.total + kPageSize - 1) / kPageSize},
                        {"total", found.total}};
    if (found.total == 0) body["message"] = "Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".";
    return jsonReply(body);
}

// A product the clerk may not browse reads as one that does not exist.
void requireBrowsable(int productRef, int userRef, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery product(
        "select 1 from towar where lTowarRef = :id and byCode = 6", session);
    product.Params["id"] = productRef;
    product.execute();
    if (!product.next() || !Host::Products::BrowsableProducts(userRef, session).mayBrowse(productRef))
        throw Refused(http::status::not_found, "Nie ma towaru o identyfikatorze " + std::to_string(productRef) + ".");
}

int productRefOf(const Call& call) {
    const std::string text = call.path[1];
    int ref = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ref);
    if (error != std::errc() || end != text.data() + text.size() || ref <= 0)
        throw Refused(http::status::not_found, "Nie ma towaru o identyfikatorze " + text + ".");
    return ref;
}

std::string day(int dayNumber) { return Core::DayNumber::toText(dayNumber); }

nlohmann::json prices(const std::vector<Core::Price>& amounts) {
    nlohmann::json texts = nlohmann::json::array();
    for (const auto& amount : amounts) texts.push_back(amount.toString());
    return texts;
}

nlohmann::json optionalPrice(const std::optional<Core::Price>& amount) {
    return amount ? nlohmann::json(amount->toString()) : nlohmann::json();
}

nlohmann::json codes(const std::vector<Host::Products::ProductCard::Code>& list) {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& code : list) rows.push_back({{"code", code.code}, {"status", code.status}});
    return rows;
}

nlohmann::json multiPrice(const std::optional<Host::Products::MultiPriceWare>& ware) {
    if (!ware) return nullptr;
    nlohmann::json elements = nlohmann::json::array();
    for (const auto& element : ware->elements) {
        nlohmann::json conditions = nlohmann::json::array();
        for (const auto& condition : element.conditions)
            conditions.push_back(
                {{"price", condition.price.toString()}, {"from", day(condition.from)}, {"to", day(condition.to)}});
        elements.push_back({{"id", element.id},
                            {"articleIndex", element.articleIndex},
                            {"name", element.name},
                            {"codes", element.codes},
                            {"conditions", std::move(conditions)}});
    }
    return {{"id", ware->id},
            {"name", ware->name},
            {"articleIndex", ware->articleIndex},
            {"codes", ware->codes},
            {"elements", std::move(elements)}};
}

nlohmann::json cardJson(const Host::Products::ProductCard& card) {
    using Source = Host::Products::ProductCard::TodaysPrice::Source;
    nlohmann::json path = nlohmann::json::array();
    for (const auto& group : card.path) path.push_back({{"index", group.index}, {"name", group.name}});
    nlohmann::json planned = nlohmann::json::array();
    for (const auto& change : card.plannedStatuses)
        planned.push_back({{"day", day(change.day)}, {"status", change.status}, {"statusName", change.statusName}});
    const auto& today = card.today;
    nlohmann::json body{
        {"id", card.id},
        {"name", card.name},
        {"articleIndex", card.articleIndex},
        {"groupIndex", card.groupIndex},
        {"path", std::move(path)},
        {"liveCodes", codes(card.liveCodes)},
        {"deletedCodes", codes(card.deletedCodes)},
        {"vat", card.vat ? nlohmann::json{{"code", card.vat->code}, {"name", card.vat->name}} : nlohmann::json()},
        {"today",
         {{"price", today.price.toString()},
          {"source", today.source == Source::condition ? "warunek sprzedaży"
                     : today.source == Source::product ? "cena własna towaru"
                                                       : "brak ceny"},
          {"productPrice", optionalPrice(today.productPrice)},
          {"conditionPrice", optionalPrice(today.conditionPrice)},
          {"alternativePrices", prices(today.alternativePrices)}}},
        {"priceBeforePromotion", nullptr},
        {"lowestPriceBeforePromotion", nullptr},
        {"multiPrice", multiPrice(card.multiPrice)},
        {"quantities",
         {{"stock", card.quantities.stock.toString()},
          {"reserved", card.quantities.reserved.toString()},
          {"inComplaint", card.quantities.inComplaint.toString()}}},
        {"scale", {{"section", card.scaleSection}, {"number", card.scaleNumber ? nlohmann::json(*card.scaleNumber)
                                                                             : nlohmann::json()}}},
        {"plannedStatuses", std::move(planned)}};
    if (const auto& before = card.priceBeforePromotion)
        body["priceBeforePromotion"] = {{"price", before->previousPrice.toString()},
                                        {"promotionFrom", day(before->promotionDateFrom)},
                                        {"promotionTo", day(before->promotionDateTo)}};
    if (const auto& lowest = card.lowestPriceBeforePromotion)
        body["lowestPriceBeforePromotion"] = {{"price", lowest->lowestPrice.toString()},
                                              {"promotionFrom", day(lowest->promotionDateFrom)},
                                              {"promotionTo", day(lowest->promotionDateTo)}};
    return body;
}

Response card(const Call& call, StoreTurn& store) {
    const int ref = productRefOf(call);
    return jsonReply(store.run(call.clerk.userRef, [&](const TSessionHolder& session) {
        requireBrowsable(ref, call.clerk.userRef, session);
        return cardJson(Host::Products::readProductCard(ref, session));
    }));
}

Response history(const Call& call, StoreTurn& store) {
    const int ref = productRefOf(call);
    const auto days = store.run(call.clerk.userRef, [&](const TSessionHolder& session) {
        requireBrowsable(ref, call.clerk.userRef, session);
        return Host::Products::priceHistory(ref, Core::DayNumber::today(), Host::Products::kCardHistoryDays, session);
    });
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& entry : days)
        rows.push_back({{"day", day(entry.day)},
                        {"price", entry.price.toString()},
                        {"promotion", entry.promotion},
                        {"lowest30", entry.lowest30.toString()}});
    return jsonReply({{"days", std::move(rows)}});
}

}  // namespace

void addProductRoutes(std::vector<ApiRoute>& routes) {
    routes.push_back({http::verb::get, std::regex("/api/products"), search});
    routes.push_back({http::verb::get, std::regex("/api/products/([^/]+)"), card});
    routes.push_back({http::verb::get, std::regex("/api/products/([^/]+)/price-history"), history});
}

}  // namespace Towary::Web
