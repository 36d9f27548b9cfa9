#include "Modules/Towary/Tools/plu/PluReport.h"

#include <boost/format.hpp>

namespace PLU {

const char* const kNotCodesHeader = "Teksty, które nie są kodami PLU (pozostają bez zmian):";
const char* const kNotCodesSummary = "\n nie są kodami - ";

std::string pluLine(const PluInfo& info) {
    return info.plu + (info.corrected ? " (powinno być: " + *info.corrected + ") " : std::string(" ")) +
           info.productName + " " + info.productIndex;
}

std::vector<std::string> pluLines(const PluInfoList& codes) {
    std::vector<std::string> lines;
    for (const auto& code : codes) lines.push_back(pluLine(*code));
    return lines;
}

std::vector<std::string> conflictLines(const PluInfoMap& conflicts) {
    std::vector<std::string> lines;
    int ordinal = 0;
    for (const auto& [canonical, codes] : conflicts) {
        lines.push_back((boost::format("%1%:") % ++ordinal).str());
        for (const auto& code : *codes) lines.push_back(pluLine(*code));
    }
    return lines;
}

std::vector<std::string> notCodeLines(const std::vector<NotAPlu>& notCodes) {
    std::vector<std::string> lines;
    for (const auto& notCode : notCodes) lines.push_back(pluLine(*notCode.info) + " - " + notCode.reason);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

std::string menuReport(const PluCheckResult& result) {
    std::string text;
    std::string summary = "Podsumowanie: ";
    if (!result.toDelete.empty()) {
        text += "PLU do usunięcia:\n" + joinLines(pluLines(result.toDelete));
        summary += "\n do usunięcia - " + std::to_string(result.toDelete.size());
    }
    if (!result.toCorrect.empty()) {
        text += "PLU do poprawienia:\n" + joinLines(pluLines(result.toCorrect));
        summary += "\n do poprawienia - " + std::to_string(result.toCorrect.size());
    }
    if (!result.conflicts.empty()) {
        text += "Konflikty do manualnego rozwiązania:\n" + joinLines(conflictLines(result.conflicts));
        summary += "\n konflikty - " + std::to_string(result.conflicts.size());
    }
    if (!result.notCodes.empty()) {
        text += std::string(kNotCodesHeader) + "\n" + joinLines(notCodeLines(result.notCodes));
        summary += kNotCodesSummary + std::to_string(result.notCodes.size());
    }
    return text + summary;
}

namespace {

std::vector<std::string> tableRow(const std::string& what, const PluInfo& info, const std::string& reason = {}) {
    return {what, info.plu, info.corrected.value_or(""), info.productName, info.productIndex, reason};
}

}  // namespace

Core::TTextTable menuReportTable(const PluCheckResult& result) {
    Core::TTextTable table;
    table.columns = {{"what", "Co zrobić"}, {"plu", "Kod"},      {"corrected", "Powinno być"},
                     {"product", "Towar"},  {"index", "Indeks"}, {"reason", "Uwagi"}};
    for (const auto& code : result.toDelete) table.rows.push_back(tableRow("do usunięcia", *code));
    for (const auto& code : result.toCorrect) table.rows.push_back(tableRow("do poprawienia", *code));
    int ordinal = 0;
    // Numbered as the text numbers them.
    for (const auto& [canonical, codes] : result.conflicts) {
        const auto group = "konflikt " + std::to_string(++ordinal);
        for (const auto& code : *codes) table.rows.push_back(tableRow(group, *code));
    }
    for (const auto& notCode : result.notCodes)
        table.rows.push_back(tableRow("nie jest kodem", *notCode.info, notCode.reason));
    return table;
}

}  // namespace PLU
