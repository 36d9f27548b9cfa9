#include "apps/towary/Command.h"

#include "Core/Store/StoreLocation.h"

#include <stdexcept>
#include <system_error>

namespace Towary::Host {

void addStoreArgument(CLI::App& command, Context& context) {
    command.add_option("DIR", context.store, "store directory")->required();
}

// Told by the file's identity, so a link or another spelling of the path is refused too.
void refuseStoreFile(const std::filesystem::path& file, const std::string& kind) {
    const auto database = Core::Store::databaseFile().string();
    for (const auto& own : {std::filesystem::path(database), std::filesystem::path(database + "-wal"),
                            std::filesystem::path(database + "-shm"), Core::Store::settingsFile()}) {
        std::error_code error;
        if (std::filesystem::equivalent(file, own, error))
            throw std::runtime_error("Plik " + file.string() + " jest plikiem sklepu (" + own.filename().string() +
                                     "); " + kind + " musi być innym plikiem.");
    }
}

}  // namespace Towary::Host
