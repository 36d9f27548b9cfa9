#pragma once
// towary scale: the scale sections, the proposal of a free number, the check
// of a typed number as the product form checks it, and storing a product's
// section and number after that check.

#include "Core/Database/TSessionHolder.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace Towary::Host::ScaleNumbers {

// "N NAME" for each of the nine sections.
void printSections(std::ostream& out);
// The free number the module proposes for the section; refuses, with the
// reason, a section outside 1..9, a number past the store's largest and a
// full section. Section 0 (no section) proposes 0.
int propose(int section, TSessionHolder session);
// Throws, naming the field, when the number may not be stored in the section
// (0: no section, any text passes); product: the product being edited.
void check(int section, const std::string& number, const std::optional<std::string>& product, TSessionHolder session);
// Checks the number for the product and stores both, in one transaction, so
// that no other process takes the number in between; section 0 clears them.
// Returns what was stored, for the clerk.
std::string set(const std::string& product, int section, const std::string& number, TSessionHolder session);

}  // namespace Towary::Host::ScaleNumbers
