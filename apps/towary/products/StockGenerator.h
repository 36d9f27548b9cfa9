#pragma once
// Gives the products of a generated store (rows of level 6) stock and
// documents for the stock and reservation views: one stn row per product and
// day over the last days up to today (towar.dLastSTNDate the last of them),
// documents of every kind and status the reservation tells apart, each with
// positions of random products (some orders passed on to derived documents,
// some positions sold on receipts), and units in complaint handling. The
// same seed gives the same rows; written in the caller's transaction.

#include "Core/Database/TSessionHolder.h"

#include <cstdint>

namespace Towary::Host::Products {

struct StockOptions {
    std::int64_t stockDays = 0;           // stn rows of each product
    std::int64_t documents = 0;           // documents, of random kinds and statuses
    std::int64_t positionsPerDocument = 5;
    std::uint64_t seed = 1;
};

struct StockCounts {
    std::int64_t stockRows = 0;
    std::int64_t documents = 0;
    std::int64_t positions = 0;
    std::int64_t complaints = 0;
};

// Throws std::runtime_error when there are documents to make and no product to put on them.
StockCounts generateStock(const StockOptions& options, const TSessionHolder& session);

}  // namespace Towary::Host::Products
