#pragma once
// Writing the settings file, which only the host does (the module reads
// settings and never writes them). A write changes the one value and keeps
// everything else of the file as it was, comments and layout included.

#include "Core/Setup/Key.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Core::Setup {

// The value as the settings file writes it: 2, 2.5, true, "tekst".
std::string valueText(const Orvel::TValue& value);

// Sets the value of the key at the path, creating the keys it lacks:
// a value already in the file is replaced where it stands; a new key goes
// under its table's header, or into a new table appended to the file; a key
// that held only a value and now gets children keeps its value under "@".
// The result is parsed again and checked before it replaces the file, by a
// rename, so a reader sees either the old file or the new one. Writers in
// several processes take turns by a lock on FILE.lock beside the file, so
// each reads what the one before it wrote and no write is lost.
// Throws std::runtime_error when the file is missing or malformed, a name is
// empty or "@", or the key lies in a one-line table ({ ... }).
void writeSetting(const std::filesystem::path& file, const std::vector<std::string>& path, const Orvel::TValue& value);

}  // namespace Core::Setup
