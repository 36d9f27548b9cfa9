#pragma once
// The texts of the PLU check's reports: one line per code, conflict groups
// numbered in map order, and the menu action's whole report.

#include "Modules/Towary/Tools/plu/PluInfo.h"

#include <string>
#include <vector>

namespace PLU {

// Stored text, " (powinno być: CORRECTED) " or " ", product name, " ", article index.
std::string pluLine(const PluInfo& info);
// The lines of the codes.
std::vector<std::string> pluLines(const PluInfoList& codes);
// Each group as "N:" (from 1) and the lines of its codes.
std::vector<std::string> conflictLines(const PluInfoMap& conflicts);
// The line of each text that is no code, followed by " - " and the reason.
std::vector<std::string> notCodeLines(const std::vector<NotAPlu>& notCodes);
// The lines as one text, each ended by "\n", for the text viewer.
std::string joinLines(const std::vector<std::string>& lines);

// The heading of the texts that are no code, and its summary label.
extern const char* const kNotCodesHeader;
extern const char* const kNotCodesSummary;

// The report the menu action shows: the lists that are not empty, then the summary.
std::string menuReport(const PluCheckResult& result);

}  // namespace PLU
