#pragma once
// The texts of the PLU check's reports: one line per code, conflict groups
// numbered in map order, and the menu action's whole report.

#include "Core/Dialogs/Dialogs.h"
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
// The same entries as a table, a row per code: what is to be done with it
// ("do usunięcia", "do poprawienia", "konflikt N", "nie jest kodem"), the
// code, its canonical text, the product's name and article index, the reason.
Core::TTextTable menuReportTable(const PluCheckResult& result);

}  // namespace PLU
