#include "Modules/Towary/Tools/index/TowarFunkcje.h"

#include "Core/Database/Query.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"

#include <optional>
#include <string>

namespace TowarFunkcje {

System::AnsiString genNewGrIndex(Towar::TowarCode level, System::AnsiString parentIndex) {
    const int segmentLength = Towar::getIndexLength(level);
    DBKernel::Sql::OpenedQuery children(Towar::childSegmentsQuery(parentIndex, segmentLength), TSessionHolder());
    // The new segment follows the run of consecutive segments that begins at
    // the smallest one; segments that are not all digits are passed over.
    std::optional<std::uint64_t> runEnd;
    while (children.next()) {
        const auto value = Core::parseNumber<std::uint64_t>(children["idx"].asString());
        if (!value) continue;
        if (runEnd && *value != *runEnd + 1) break;
        runEnd = value;
    }
    const std::string segment = std::to_string(runEnd ? *runEnd + 1 : 1);
    return parentIndex.str() + Core::padLeft(segment, segmentLength > 0 ? segmentLength : 0);
}

}  // namespace TowarFunkcje
