// towary demo DIR: a sample store and a tour of what the module does on it.

#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/StoreCreation.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>

namespace Towary::Host {

void addDemoCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("demo", "zakłada przykładowy sklep w DIR i pokazuje na nim, co robi moduł");
    addStoreArgument(*command, context);
    command->callback([&context] {
        context.newStore = true;
        context.job = [](std::ostream& out) {
            createStore();
            out << "Sklep przykładowy: " << Core::Store::directory().string() << "\n";
            for (const auto& step : Demo::steps()) {
                out << "\n== " << step.title << " ==\n";
                step.run(out);
            }
        };
    });
}

}  // namespace Towary::Host
