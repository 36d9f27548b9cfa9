// towary init DIR [--database URI]: a new store: its directory, settings and database.

#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/StoreCreation.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addInitCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("init", "zakłada nowy sklep w DIR");
    addStoreArgument(*command, context);
    auto server = std::make_shared<std::string>();
    addDatabaseOption(*command, *server);
    command->callback([&context, server] {
        context.newStore = true;
        context.job = [server](std::ostream& out) {
            createStore({}, *server);
            out << "Założono sklep w " << Core::Store::directory().string() << '\n';
        };
    });
}

}  // namespace Towary::Host
