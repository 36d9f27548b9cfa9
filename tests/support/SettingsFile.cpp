#include "tests/support/SettingsFile.h"

#include "Core/Setup/FileWatch.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Store/StoreLocation.h"

#include <filesystem>
#include <fstream>

namespace TestSupport {

void replaceSettingsFile(const std::string& text) {
    const auto file = Core::Store::settingsFile();
    const auto temporary = std::filesystem::path(file).concat(".new");
    std::ofstream(temporary, std::ios::trunc) << text;
    std::filesystem::rename(temporary, file);
    Core::Setup::noteSettingsWritten();
}

void removeSettingsFile() {
    std::filesystem::remove(Core::Store::settingsFile());
    Core::Setup::noteSettingsWritten();
}

void setSetting(const std::vector<std::string>& path, const Orvel::TValue& value) {
    Core::Setup::writeSetting(Core::Store::settingsFile(), path, value);
}

}  // namespace TestSupport
