#pragma once
// The one-time renaming of every product's short name that two retail
// networks run with the VAT change: one character of each name changes, so
// that the tills take the names as new. Done once per database: a persistent
// property, locked while it is read, records it.

#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Towar {

// Renames in the caller's transaction; returns the message for the log.
std::string renameShortNames(TSessionHolder session);

// The networks that run the renaming ("Inne / Nazwa sieci").
bool networkRenamesShortNames();

// The short name with its one character changed: from position 16 on
// (characters, from 0) the first space becomes "_"; without one, position 16
// becomes "_", or " " when it holds "_". A name shorter than 17 characters
// is returned unchanged.
std::string renamedShortName(const std::string& shortName);

}  // namespace Towar
