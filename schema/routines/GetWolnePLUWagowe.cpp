#include "Core/Database/Query.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "schema/routines/StoreRoutines.h"

#include <boost/format.hpp>

#include <algorithm>
#include <stdexcept>

namespace DBKernel::Schema {
namespace {

// Codes of the store's own masks are EAN-13: prefix, number, the rest, check digit.
constexpr std::size_t kCodeLength = 13;

}  // namespace

void addGetWolnePLUWagowe(Routines& routines) {
    routines.addFunction(
        "getWolnePLUWagowe", 4, [](TSessionHolder& session, std::span<const Value> arguments) -> Value {
            if (std::any_of(arguments.begin(), arguments.end(), [](const Value& v) { return isNull(v); })) return {};
            const std::string prefix = toString(arguments[0]);
            const std::int64_t numberLength = toInt64(arguments[1]);
            const std::int64_t restLength = toInt64(arguments[2]);
            if (!Core::allDigits(prefix) || numberLength < 1 || restLength < 0 ||
                prefix.size() + static_cast<std::size_t>(numberLength + restLength) >= kCodeLength)
                throw std::invalid_argument(
                    (boost::format("getWolnePLUWagowe: początek kodu \"%1%\", %2% cyfr numeru i %3% cyfr po nim nie "
                                   "mieszczą się w kodzie PLU z cyfrą kontrolną.") %
                     prefix % numberLength % restLength)
                        .str());
            const auto width = static_cast<std::size_t>(numberLength);
            const std::string largest(width, '9');
            std::int64_t candidate = std::max<std::int64_t>(toInt64(arguments[3]), 1);

            // Numbers of a fixed width sort as their texts do, so the index on
            // sPLU gives the codes that begin with the prefix and a number from
            // the candidate up in the order of their numbers; the first number
            // missing from that run is free. ':' follows '9', closing the range.
            if (Core::padLeft(std::to_string(candidate), width).size() == width) {
                Sql::PreparedQuery used(
                    "select sPLU from plu where sPLU >= :od and sPLU < :do and length(sPLU) >= :najkrotszy order by "
                    "sPLU",
                    session);
                used.Params["od"] = prefix + Core::padLeft(std::to_string(candidate), width);
                used.Params["do"] = prefix + ":";
                used.Params["najkrotszy"] = static_cast<std::int64_t>(prefix.size() + width) + restLength;
                used.execute();
                while (used.next()) {
                    const auto number =
                        Core::parseNumber<std::int64_t>(used.field(0).asString().substr(prefix.size(), width));
                    if (!number || *number < candidate) continue;  // not a number, or a repeat
                    if (*number > candidate) break;
                    ++candidate;
                }
            }
            if (std::to_string(candidate).size() > width)
                throw std::runtime_error(
                    (boost::format("Brak wolnego numeru kodu PLU o początku %1%: zajęte są wszystkie "
                                   "numery do %2%.") %
                     prefix % largest)
                        .str());
            return candidate;
        });
}

}  // namespace DBKernel::Schema
