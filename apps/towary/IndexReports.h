#pragma once
// What the towary host prints about a group index, for `towary index` and
// the demo. Each reads all it needs before it prints, so a failure prints
// nothing but its exception.

#include <iosfwd>
#include <string>

namespace Towary::Host {

// One line per level: its number and name, the segment and the ancestor index.
void printSplit(std::ostream& out, const std::string& index);
// The level of the index and its name, and a note when the length is not that level's.
void printLevel(std::ostream& out, const std::string& index);

}  // namespace Towary::Host
