// towary init DIR: a new store: its directory, settings and database.

#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/StoreCreation.h"

#include <ostream>

namespace Towary::Host {

void addInitCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("init", "create a new store in DIR");
    addStoreArgument(*command, context);
    command->callback([&context] {
        context.newStore = true;
        context.job = [](std::ostream& out) {
            createStore();
            out << "Założono sklep w " << Core::Store::directory().string() << '\n';
        };
    });
}

}  // namespace Towary::Host
