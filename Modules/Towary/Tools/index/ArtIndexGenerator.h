#pragma once
// Towar::ArtIndexGenerator: free article indexes (sArtIndex) for new
// products, asked of the store routine getWolnyIndex. One process-wide
// instance remembers the number it generated last; callers start the next
// search there. Nothing is reserved: two callers that ask before either saves
// its product get the same index.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

class TOWARY_EXPORT ArtIndexGenerator {
public:
    static ArtIndexGenerator& instance();

    // A free article index at or above `start`, zero-padded to the article
    // index length (pass getLastGeneratedIndex()). Throws Sysutils::Exception
    // when the routine answers nothing or a number longer than that length;
    // the last generated number is then left as it was.
    std::string genIndex(TSessionHolder session, int start);
    int getLastGeneratedIndex() const { return lastGenerated_; }

    ArtIndexGenerator(const ArtIndexGenerator&) = delete;
    ArtIndexGenerator& operator=(const ArtIndexGenerator&) = delete;

private:
    ArtIndexGenerator() = default;

    int lastGenerated_ = 0;
};

}  // namespace Towar
