// towary demo DIR: a sample store and a tour of what the module does on it.

#include "Core/Action/ActionContainer.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"

#include <filesystem>
#include <ostream>

namespace Towary::Host {

void addDemoCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("demo", "create a sample store in DIR and show what the module does");
    addStoreArgument(*command, context);
    command->callback([&context] {
        context.job = [](std::ostream& out) {
            const auto& dir = Core::Store::directory();
            std::filesystem::create_directories(Core::Store::logDirectory());
            out << "Sklep przykładowy: " << dir.string() << '\n';
            out << "Moduł zarejestrował akcji: " << Core::Action::CContainer::instance().registrations().size() << '\n';
        };
    });
}

}  // namespace Towary::Host
