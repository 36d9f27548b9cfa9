#include "Modules/Towary/Tools/index/ArtIndexGenerator.h"

#include "Core/Database/Query.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Digits.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <boost/lexical_cast.hpp>

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
    lastGenerated_ = boost::lexical_cast<int>(text);
    return result;
}

}  // namespace Towar
