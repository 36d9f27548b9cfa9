#pragma once
// What towary lists, stock and ordering print: the forms' code-to-label
// lists, a product's three quantities, the offered ordering methods.

#include "Core/Database/TSessionHolder.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace Towary::Host::ClassificationReports {

// The names `towary lists` knows, in the order it prints them.
const std::vector<std::string>& listNames();
// The list of that name (every list when none is given), one entry a line:
// the code (or "-" for the entry without one) and its label, under a line
// with the list's name; with `tsv`, "NAME\tCODE\tLABEL" lines, the code
// empty for the entry without one, a backslash, tab or line break of a label
// written as "\\", "\t", "\n", "\r". Nothing is printed when a list fails.
void printLists(const std::optional<std::string>& name, bool tsv, std::ostream& out);
// The product's stock, reserved quantity (other than by the excluded
// document) and units in complaint handling; the product is an id or
// "/INDEX", and must be a product, not a group. Nothing is printed when one
// of them fails.
void printStock(const std::string& product, int excludedDocument, TSessionHolder session, std::ostream& out);
// Each offered method: its type, its text and the stock levels it uses.
void printOrdering(std::ostream& out);

}  // namespace Towary::Host::ClassificationReports
