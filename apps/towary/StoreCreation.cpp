#include "apps/towary/StoreCreation.h"

#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/SampleLists.h"
#include "apps/towary/SampleSettings.h"

#include <filesystem>
#include <stdexcept>

namespace Towary::Host {

void createStore() {
    const auto& dir = Core::Store::directory();
    if (std::filesystem::exists(dir) && !std::filesystem::is_empty(dir))
        throw std::runtime_error("Katalog " + dir.string() + " nie jest pusty; sklep zakłada się w nowym katalogu.");
    std::filesystem::create_directories(Core::Store::logDirectory());
    writeSampleSettings(Core::Store::settingsFile());
    DBKernel::StoreDatabase::create(Core::Store::databaseFile());
    fillSampleLists(TSessionHolder());
}

}  // namespace Towary::Host
