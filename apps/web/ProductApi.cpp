// The products' part of the API: the identifier search, paged, and a
// product's card with its price history. Only products of groups the clerk
// may browse are shown; any other reads as no product at all.

#include "Modules/Towary/Tools/plu/IdentifierChars.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "apps/towary/products/ProductFind.h"
#include "apps/web/Call.h"
#include "apps/web/Replies.h"
#include "apps/web/StoreTurn.h"

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
                        {"liveCodes", product.liveCodes}});
    nlohmann::json body{{"rows", std::move(rows)},
                        {"page", page},
                        {"pages", (found.total + kPageSize - 1) / kPageSize},
                        {"total", found.total}};
    if (found.total == 0) body["message"] = "Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".";
    return jsonReply(body);
}

}  // namespace

void addProductRoutes(std::vector<ApiRoute>& routes) {
    routes.push_back({http::verb::get, std::regex("/api/products"), search});
}

}  // namespace Towary::Web
