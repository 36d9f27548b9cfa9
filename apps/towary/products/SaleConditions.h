#pragma once
// Sale conditions (table warsprz) in and out as CSV, for towary conditions.
// The file's header names the columns, in any order, each once:
//   towar        the product: an id, or "/" and its article index (required)
//   dCenaSprzed  the sale price, a number with a decimal point (required)
//   dataOd       the first day, YYYY-MM-DD (required)
//   dataDo       the last day, YYYY-MM-DD (required)
//   lPromoRef    the id of a promotion (promocja), empty for none
//   byDeleted    1 for a deleted condition, empty or 0 otherwise
//   byBlokada    1 for a blocked condition, empty or 0 otherwise
// A condition of a multi-price ware (its grouping row) goes to the element
// that sells at its price, made when none does, when the store handles
// multi-price wares. The whole file or nothing is stored.

#include "Core/Database/TSessionHolder.h"

#include <cstdint>
#include <filesystem>
#include <ostream>

namespace Towary::Host::Products {

struct ConditionCounts {
    std::int64_t conditions = 0;
    std::int64_t elementsCreated = 0;
};

// Throws std::runtime_error "FILE, wiersz N: REASON" for the first bad row;
// the store is then left as it was.
ConditionCounts importConditions(const std::filesystem::path& file, const TSessionHolder& session,
                                 bool multiPrice);

// Every condition, in the import's columns, ordered by product and first day.
std::int64_t exportConditions(std::ostream& out, const TSessionHolder& session);

}  // namespace Towary::Host::Products
