#include "Core/Database/Query.h"
#include "schema/routines/StoreRoutines.h"

namespace DBKernel::Schema {

void addLastStnDate(Routines& routines) {
    routines.addFunction("lastStnDate", 1, [](TSessionHolder& session, std::span<const Value> arguments) -> Value {
        if (isNull(arguments[0])) return {};
        // The key of stn is (lTowarRef, data): the latest day is one seek.
        Sql::PreparedQuery latest("select max(data) from stn where lTowarRef = :produkt", session);
        latest.Params["produkt"] = toInt64(arguments[0]);
        latest.execute();
        return latest.field(0).value();
    });
}

}  // namespace DBKernel::Schema
