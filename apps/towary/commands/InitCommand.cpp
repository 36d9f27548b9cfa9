// towary init DIR: a new store: its directory and its database.

#include "Core/Database/StoreDatabase.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/SampleSettings.h"

#include <filesystem>
#include <ostream>
#include <stdexcept>

namespace Towary::Host {

void addInitCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("init", "create a new store in DIR");
    addStoreArgument(*command, context);
    command->callback([&context] {
        context.job = [](std::ostream& out) {
            const auto& dir = Core::Store::directory();
            if (std::filesystem::exists(dir) && !std::filesystem::is_empty(dir))
                throw std::runtime_error("Katalog " + dir.string() + " nie jest pusty; sklep zakłada się w nowym katalogu.");
            std::filesystem::create_directories(Core::Store::logDirectory());
            writeSampleSettings(Core::Store::settingsFile());
            DBKernel::StoreDatabase::create(Core::Store::databaseFile());
            out << "Założono sklep w " << dir.string() << '\n';
        };
    });
}

}  // namespace Towary::Host
