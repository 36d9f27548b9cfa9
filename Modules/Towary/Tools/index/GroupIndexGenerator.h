#pragma once
// Towar::GroupIndexGenerator: the index of a new child group: the parent's
// index followed by the first free segment of the next level, the lowest
// number from 1 up that no child group's segment takes. One process-wide
// instance, without state. Nothing is reserved: two callers that ask before
// either saves its group get the same index.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

class TOWARY_EXPORT GroupIndexGenerator {
public:
    static GroupIndexGenerator& instance();

    // The index of a new child of the parent; the empty parent gives a new
    // department. Throws std::runtime_error "Błędna długość indeksu grupy
    // (PARENT)." when the parent's length is no level's but the last, and
    // "Generator indeksów grup: przekroczony zakres." when every segment of
    // the level's length is taken.
    std::string genIndex(const std::string& parentIndex, TSessionHolder session) const;

    GroupIndexGenerator(const GroupIndexGenerator&) = delete;
    GroupIndexGenerator& operator=(const GroupIndexGenerator&) = delete;

private:
    GroupIndexGenerator() = default;
};

// The statement listing, in ascending order as column "idx", the segments of
// length `segmentLength` that follow the parent's index in the indexes of
// groups one segment longer than the parent.
std::string childSegmentsQuery(const std::string& parentIndex, int segmentLength);

}  // namespace Towar
