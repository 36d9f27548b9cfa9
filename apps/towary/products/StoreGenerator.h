#pragma once
// Fills a new store with products for benchmarks and the demo: a five-level
// group hierarchy that follows the store's index lengths, products with
// EAN-13, EAN-8 and short internal codes, weighed products with
// restricted-circulation codes (prefixes 20 to 29), multi-price wares (a
// grouping row with the codes and element rows below it), live codes (status
// 1 and 2) and deleted ones (status 3), some of them the old rows of a code
// that now belongs to another product. A share of the live codes can be
// written malformed, as years of hand entry leave them (leading zeros, a
// blank, a missing or wrong check digit, now and then a letter), for the PLU
// repair. Sale conditions can be added, each of a product of level 6 at its
// price. Users (ids from 2 up) may be given rights over random groups of the
// hierarchy, a quarter of the entries denying right 1 (browse the group).
// The same seed gives the same rows.
// Everything is written in one transaction, each table through one prepared
// insert.

#include <cstdint>
#include <optional>

#include "Core/Database/TSessionHolder.h"

namespace Towary::Host::Products {

struct GeneratorOptions {
    std::int64_t products = 0;  // rows of level 6: ordinary products and multi-price elements
    std::uint64_t seed = 1;
    double malformedPercent = 0;  // of the live codes
    std::int64_t users = 0;       // users given rights, after the administrator
    std::int64_t rightsPerUser = 5;  // entries of each, on distinct groups (fewer when the store has fewer)
    // The share of product draws that make a multi-price ware instead (each
    // of two to four elements); about 1 % when not given.
    std::optional<double> multiPricePercent{};
    std::int64_t conditions = 0;  // sale conditions, each of a product of level 6 at its price
};

struct GeneratedCounts {
    std::int64_t groups = 0;
    std::int64_t products = 0;
    std::int64_t weighed = 0;
    std::int64_t multiPriceWares = 0;  // grouping rows; their elements are counted among the products
    std::int64_t codes = 0;
    std::int64_t deletedCodes = 0;
    std::int64_t malformedCodes = 0;
    std::int64_t users = 0;
    std::int64_t rightsEntries = 0;
    std::int64_t conditions = 0;
};

// Takes the index lengths from the store's settings, as the module reads
// them. Throws when they leave no room for the hierarchy or for the article
// indexes of that many products.
GeneratedCounts generateProducts(const GeneratorOptions& options, const TSessionHolder& session);

}  // namespace Towary::Host::Products
