#include "Core/Database/Query.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "schema/routines/StoreRoutines.h"

#include <algorithm>

namespace DBKernel::Schema {

void addGetWolnyIndex(Routines& routines) {
    routines.addFunction("getWolnyIndex", 2, [](TSessionHolder& session, std::span<const Value> arguments) -> Value {
        if (isNull(arguments[0]) || isNull(arguments[1])) return {};
        const std::int64_t length = toInt64(arguments[1]);
        if (length <= 0) return {};  // no article index has no digits
        std::int64_t candidate = std::max<std::int64_t>(toInt64(arguments[0]), 1);
        const std::string from = Core::padLeft(std::to_string(candidate), static_cast<std::size_t>(length));
        if (from.size() > static_cast<std::size_t>(length)) return candidate;  // no index of `length` digits is this long

        // Article indexes of `length` digits sort as their numbers do, so the
        // index on sArtIndex gives the numbers in use from the candidate up,
        // in order; the first one missing from that run is free.
        Sql::PreparedQuery used(
            "select sArtIndex from towar where sArtIndex >= :od and sArtIndex <= :najwyzej"
            " and length(sArtIndex) = :dlugosc order by sArtIndex",
            session);
        used.Params["od"] = from;
        used.Params["najwyzej"] = std::string(static_cast<std::size_t>(length), '9');
        used.Params["dlugosc"] = length;
        used.execute();
        while (used.next()) {
            const auto number = Core::parseNumber<std::uint64_t>(used.field(0).asString());
            if (!number || static_cast<std::int64_t>(*number) < candidate) continue;  // not a number, or a repeat
            if (static_cast<std::int64_t>(*number) > candidate) break;
            ++candidate;
        }
        return candidate;
    });
}

}  // namespace DBKernel::Schema
