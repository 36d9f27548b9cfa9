#include "apps/towary/Command.h"

#include "Core/Database/DatabaseLocation.h"
#include "Core/Store/StoreLocation.h"

#include <stdexcept>
#include <system_error>

namespace Towary::Host {

void addStoreArgument(CLI::App& command, Context& context) {
    command.add_option("DIR", context.store, "katalog sklepu")->required();
}

void addDatabaseOption(CLI::App& command, std::string& server) {
    command.add_option("--database", server,
                       "baza danych sklepu na serwerze PostgreSQL (postgresql://użytkownik@host/baza), istniejąca baza "
                       "bez sklepu; bez tej opcji: plik w DIR");
}

// Told by the file's identity, so a link or another spelling of the path is refused too.
void refuseStoreFile(const std::filesystem::path& file, const std::string& kind) {
    const auto database = Core::Store::databaseFile().string();
    for (const auto& own : {std::filesystem::path(database), std::filesystem::path(database + "-wal"),
                            std::filesystem::path(database + "-shm"), Core::Store::settingsFile(),
                            DBKernel::serverFileOf(Core::Store::directory())}) {
        std::error_code error;
        if (std::filesystem::equivalent(file, own, error))
            throw std::runtime_error("Plik " + file.string() + " jest plikiem sklepu (" + own.filename().string() +
                                     "); " + kind + " musi być innym plikiem.");
    }
}

}  // namespace Towary::Host
