#pragma once
// Writing the current store's settings file whole, as the host does when it
// saves its settings: the new text replaces the file by a rename, and the
// write is counted for this process's settings stores at once (their watch
// would see it too, but only once its thread has read the event).

#include "Core/Setup/Key.h"

#include <string>
#include <vector>

namespace TestSupport {

void replaceSettingsFile(const std::string& text);
// Removes the settings file, counted the same way.
void removeSettingsFile();
// Sets one setting of the current store's file in place, as `towary settings set` does.
void setSetting(const std::vector<std::string>& path, const Orvel::TValue& value);

}  // namespace TestSupport
