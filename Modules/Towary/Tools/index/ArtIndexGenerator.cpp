#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"

#include "Core/Database/Query.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

namespace Towar {

ArtIndexGenerator& ArtIndexGenerator::instance() {
    static ArtIndexGenerator generator;
    return generator;
}

std::string ArtIndexGenerator::genIndex(TSessionHolder session, int start) {
    const int length = getIndexLength(tcTowar);
    DBKernel::Sql::OpenedQuery query(
        "select getWolnyIndex(" + std::to_string(start) + ", " + std::to_string(length) + ")" + " idx from dual",
        session);
    const std::string text = query["idx"].asString();
    if (text.empty()) throw Sysutils::Exception("Funkcja getWolnyIndex nie zwróciła wartości.");
    const std::size_t width = length > 0 ? length : 0;
    const std::string result = Core::padLeft(text, width);
    if (result.size() > width)
        throw Sysutils::Exception("Funkcja getWolnyIndex wygenerowała zbyt duży indeks towaru.");
    // A number past int's range (article indexes of ten digits and more) cannot
    // be kept; the next search then starts from the one kept before and finds
    // the same free index, only later.
    lastGenerated_ = Core::parseNumber<int>(text).value_or(lastGenerated_);
    return result;
}

}  // namespace Towar
