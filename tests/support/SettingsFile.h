#pragma once
// Writing the current store's settings file whole, as the host does when it
// saves its settings: the new text replaces the file by a rename, and the
// write is counted for this process's settings stores at once (their watch
// would see it too, but only once its thread has read the event).

#include "Core/Setup/FileWatch.h"
#include "Core/Setup/Key.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace TestSupport {

inline void replaceSettingsFile(const std::string& text) {
    const auto file = Core::Store::settingsFile();
    const auto temporary = std::filesystem::path(file).concat(".new");
    std::ofstream(temporary, std::ios::trunc) << text;
    std::filesystem::rename(temporary, file);
    Core::Setup::noteSettingsWritten();
}

// Removes the settings file, counted the same way.
inline void removeSettingsFile() {
    std::filesystem::remove(Core::Store::settingsFile());
    Core::Setup::noteSettingsWritten();
}

// Sets one setting of the current store's file in place, as `towary settings set` does.
inline void setSetting(const std::vector<std::string>& path, const Orvel::TValue& value) {
    Core::Setup::writeSetting(Core::Store::settingsFile(), path, value);
}

}  // namespace TestSupport
