#include "Modules/Towary/Tools/devices/Waga.h"

#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/devices/ScaleSections.h"
#include "Modules/Towary/Tools/devices/ScaleSettings.h"

#include <string>

namespace Waga {

NumberProposal generujNumerNaWadze(int section, int& number, TSessionHolder session) {
    if (section == 0) {
        number = 0;
        return {kNumberProposed, -1};
    }
    if (section < Towar::kFirstScaleSection || section > Towar::kLastScaleSection) return {kSectionOutOfRange, section};
    DBKernel::Sql::OpenedQuery query(
        "select Generators.getWolnyNumerWKanale(" + std::to_string(section) + ", 1) as n from dual", session);
    if (query["n"].isNull()) return {kNoFreeNumber, -1};
    const int found = query["n"].asInt();
    if (Towar::maxScaleNumber() < found) return {kNumberOverMaximum, found};
    number = found;
    return {kNumberProposed, -1};
}

}  // namespace Waga
