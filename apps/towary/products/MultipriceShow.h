#pragma once
// A multi-price ware as the store holds it: its grouping row with its codes,
// then each element with its sale conditions; read as data for the product
// card, printed by towary multiprice show.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Price/Price.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host::Products {

struct MultiPriceElement {
    struct Condition {
        Core::Price price;
        int from = 0;  // day numbers, both included
        int to = 0;
    };
    int id = 0;
    std::string articleIndex;
    std::string name;
    std::optional<int> type;
    // Its own live codes: an element sells through its grouping row's, so most have none.
    std::vector<std::string> codes;
    std::vector<Condition> conditions;  // not deleted, by first day
};

struct MultiPriceWare {
    int id = 0;  // of the grouping row
    std::string name;
    std::string articleIndex;
    std::string groupIndex;
    std::vector<std::string> codes;  // live codes of the grouping row
    std::vector<MultiPriceElement> elements;
};

// The ware of which the product is the grouping row or an element; none for
// any other product. Throws std::runtime_error for an element whose group has
// no grouping row.
std::optional<MultiPriceWare> multiPriceWareOf(const TTowar& product, const TSessionHolder& session);

// The ware of the product named (an id or /INDEX of its grouping row or of
// one of its elements). Throws std::runtime_error for a product that is no
// part of a multi-price ware.
void showMultiPriceWare(std::ostream& out, const std::string& product, const TSessionHolder& session);

}  // namespace Towary::Host::Products
