// towary migrate DIR --to URI: the store's database moved from its file onto a PostgreSQL server.

#include "Core/Database/DatabaseLocation.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/StoreMigration.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addMigrateCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("migrate", "przenosi bazę danych sklepu z DIR na serwer PostgreSQL");
    addStoreArgument(*command, context);
    auto server = std::make_shared<std::string>();
    command
        ->add_option("--to", *server,
                     "baza danych na serwerze (postgresql://użytkownik@host/baza), istniejąca baza bez sklepu")
        ->required();
    command->callback([&context, server] {
        context.job = [server](std::ostream& out) {
            const auto counts = migrateStoreToServer(*server);
            out << "Przeniesiono bazę danych sklepu " << Core::Store::directory().string() << " na serwer "
                << DBKernel::DatabaseLocation::server(*server).text() << ": tabele " << counts.tables << ", wiersze "
                << counts.rows << ". Dawny plik bazy: towary.db.przeniesiona.\n";
        };
    });
}

}  // namespace Towary::Host
