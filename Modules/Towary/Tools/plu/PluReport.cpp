#include "Modules/Towary/Tools/plu/PluReport.h"

#include <boost/format.hpp>

namespace PLU {

const char* const kNotCodesHeader = "Teksty, które nie są kodami PLU (pozostają bez zmian):";
const char* const kNotCodesSummary = "\n nie są kodami - ";

std::string pluLine(const PluInfo& info) {
    return info.plu + (info.corrected ? " (powinno być: " + *info.corrected + ") " : std::string(" ")) +
           info.productName + " " + info.productIndex;
}

std::string pluLines(const PluInfoList& codes) {
    std::string text;
    for (const auto& code : codes) text += pluLine(*code) + "\n";
    return text;
}

std::string conflictLines(const PluInfoMap& conflicts) {
    std::string text;
    int ordinal = 0;
    for (const auto& [canonical, codes] : conflicts) text += (boost::format("%1%:") % ++ordinal).str() + "\n" + pluLines(*codes);
    return text;
}

std::string notCodeLines(const std::vector<NotAPlu>& notCodes) {
    std::string text;
    for (const auto& notCode : notCodes) text += pluLine(*notCode.info) + " - " + notCode.reason + "\n";
    return text;
}

std::string menuReport(const PluCheckResult& result) {
    std::string text;
    std::string summary = "Podsumowanie: ";
    if (!result.toDelete.empty()) {
        text += "PLU do usunięcia:\n" + pluLines(result.toDelete);
        summary += "\n do usunięcia - " + std::to_string(result.toDelete.size());
    }
    if (!result.toCorrect.empty()) {
        text += "PLU do poprawienia:\n" + pluLines(result.toCorrect);
        summary += "\n do poprawienia - " + std::to_string(result.toCorrect.size());
    }
    if (!result.conflicts.empty()) {
        text += "Konflikty do manualnego rozwiązania:\n" + conflictLines(result.conflicts);
        summary += "\n konflikty - " + std::to_string(result.conflicts.size());
    }
    if (!result.notCodes.empty()) {
        text += std::string(kNotCodesHeader) + "\n" + notCodeLines(result.notCodes);
        summary += kNotCodesSummary + std::to_string(result.notCodes.size());
    }
    return text + summary;
}

}  // namespace PLU
