#pragma once
// towary find and the web host's search: the products an identifier finds,
// as a cashier or clerk types it: a code (or the number of a weighed
// product), "/" and an article index, or the beginning of a name with "*"
// for any characters. The search is the module's
// GetProductByIdentifierAction, reached through its invoker, so the module
// must be attached.

#include "Core/Database/TSessionHolder.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host::Products {

// A product found, with its live codes (status 1 and 2).
struct FoundProduct {
    long long ref = 0;
    std::string articleIndex;  // empty when the product has none
    std::string name;
    bool isGroup = false;  // a name search finds group rows too
    std::vector<std::string> liveCodes;
};

// One page of what the identifier finds that the user may browse (his group
// rights, right 1), in the search's order.
struct FoundPage {
    std::size_t total = 0;  // rows on every page together
    std::vector<FoundProduct> rows;
};

// The rows [offset, offset + count) of the search, by name, and how many
// there are: found and limited in one statement each, so that a name
// matching thousands costs no more than the page. An empty page when nothing
// is found or nothing the user may browse, so that no answer tells a product
// he may not browse exists.
FoundPage findProductsPage(const std::string& identifier, int userRef, std::size_t offset, std::size_t count,
                           TSessionHolder session);

// Prints one line per row found that the current user may browse: id, article
// index, name and the live codes. Throws std::runtime_error when nothing is
// found, or nothing he may browse.
std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session);

}  // namespace Towary::Host::Products
