#pragma once
// Writing the current store's settings file whole, as the host does when it
// saves its settings: the new text replaces the file by a rename, and the
// write is counted for this process's settings stores at once (their watch
// would see it too, but only once its thread has read the event).

#include <string>

namespace TestSupport {

void replaceSettingsFile(const std::string& text);
// Removes the settings file, counted the same way.
void removeSettingsFile();

}  // namespace TestSupport
