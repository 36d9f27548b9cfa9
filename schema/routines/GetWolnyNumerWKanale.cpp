#include "Core/Database/Query.h"
#include "schema/routines/StoreRoutines.h"

#include <algorithm>

namespace DBKernel::Schema {

void addGetWolnyNumerWKanale(Routines& routines) {
    routines.addFunction("Generators.getWolnyNumerWKanale", 2,
                         [](TSessionHolder& session, std::span<const Value> arguments) -> Value {
                             if (isNull(arguments[0]) || isNull(arguments[1])) return {};
                             std::int64_t candidate = std::max<std::int64_t>(toInt64(arguments[1]), 1);
                             // The index on (nWagaSekcja, nWagaPLU) gives the section's numbers
                             // from the candidate up, in order; the first one missing is free.
                             Sql::PreparedQuery used(
                                 "select distinct nWagaPLU from towar where nWagaSekcja = :sekcja and nWagaPLU >= :od"
                                 " and nWagaPLU <= :najwyzej order by nWagaPLU",
                                 session);
                             used.Params["sekcja"] = toInt64(arguments[0]);
                             used.Params["od"] = candidate;
                             used.Params["najwyzej"] = kLargestScaleNumber;
                             used.execute();
                             while (used.next()) {
                                 if (used.field(0).asInt64() > candidate) break;
                                 ++candidate;
                             }
                             if (candidate > kLargestScaleNumber) return {};
                             return candidate;
                         });
}

}  // namespace DBKernel::Schema
