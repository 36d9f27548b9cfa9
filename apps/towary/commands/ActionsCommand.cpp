// towary actions: what the loaded module registered.

#include "Core/Action/ActionContainer.h"
#include "apps/towary/Command.h"

#include <ostream>

namespace Towary::Host {

void addActionsCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("actions", "wypisuje identyfikatory GUID zarejestrowane przez moduł, z ich jednostkami");
    command->callback([&context] {
        context.storeRequired = false;
        context.job = [](std::ostream& out) {
            for (const auto& registration : Core::Action::CContainer::instance().registrations())
                out << registration.guid << "  " << registration.source.function << " ("
                    << registration.source.file << ")\n";
        };
    });
}

}  // namespace Towary::Host
