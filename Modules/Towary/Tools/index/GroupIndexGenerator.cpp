#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"

#include "Core/Database/Query.h"
#include "Core/Database/SQLUtils.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <optional>
#include <stdexcept>

namespace Towar {
namespace {

// The length of the segment a child of the parent adds: L(k+1) for a parent of level k.
int nextSegmentLength(const std::string& parentIndex) {
    if (parentIndex.empty()) return getIndexLength(tcDepartament);
    const TowarCode parentLevel = levelOfFullLength(Core::Utf8::length(parentIndex), tcDepartament, tcRodzina);
    if (parentLevel == tcBrak) throw std::runtime_error("Błędna długość indeksu grupy (" + parentIndex + ").");
    return getIndexLength(getNextTowarCode(parentLevel));
}

}  // namespace

GroupIndexGenerator& GroupIndexGenerator::instance() {
    static GroupIndexGenerator generator;
    return generator;
}

std::string GroupIndexGenerator::genIndex(const std::string& parentIndex, TSessionHolder session) const {
    const int segmentLength = nextSegmentLength(parentIndex);
    DBKernel::Sql::OpenedQuery children(childSegmentsQuery(parentIndex, segmentLength), session);
    // Every child segment not above the candidate pushes it on, so the first
    // one above it leaves a gap there. The empty text counts as segment 0.
    std::uint64_t candidate = 1;
    while (children.next()) {
        const std::string segment = children["idx"].asString();
        const auto value =
            segment.empty() ? std::optional<std::uint64_t>(0) : Core::parseNumber<std::uint64_t>(segment);
        if (!value) continue;
        if (*value > candidate) break;
        ++candidate;
    }
    const std::string number = std::to_string(candidate);
    const std::size_t width = segmentLength > 0 ? segmentLength : 0;
    if (number.size() > width)  // candidate >= 10 ^ segmentLength
        throw std::runtime_error("Generator indeksów grup: przekroczony zakres.");
    return parentIndex + Core::padLeft(number, width);
}

std::string childSegmentsQuery(const std::string& parentIndex, int segmentLength) {
    // The engine's substr and length count characters, as the index's length must.
    const std::size_t parentLength = Core::Utf8::length(parentIndex);
    std::string text = "select substr(sgrindex, " + std::to_string(parentLength + 1) + ", " +
                       std::to_string(segmentLength) + ") idx from towar where" + " byCode < " +
                       std::to_string(static_cast<int>(tcTowar)) + " and length(sgrindex) = " +
                       std::to_string(parentLength + segmentLength);
    // Every index begins with the empty parent; comparing with '' would find
    // nothing, as Oracle reads '' as NULL, and every department would be 01.
    if (!parentIndex.empty())
        text += " and substr(sgrindex, 1, " + std::to_string(parentLength) + ") = '" + SQLUtils::SQLString(parentIndex) + "'";
    return text + " order by idx";
}

}  // namespace Towar
