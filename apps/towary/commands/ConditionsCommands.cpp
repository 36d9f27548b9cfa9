// towary conditions import|export DIR ...: the store's sale conditions in and
// out as CSV; a condition of a multi-price ware goes to the element of its price.

#include <memory>
#include <ostream>
#include <string>

#include "Core/Database/TSessionHolder.h"
#include "Core/tools/AtomicFile.h"
#include "apps/towary/Command.h"
#include "apps/towary/products/ProductImport.h"
#include "apps/towary/products/SaleConditions.h"

namespace Towary::Host {

void addConditionsCommands(CLI::App& app, Context& context) {
    auto* conditions = app.add_subcommand("conditions", "przenosi warunki sprzedaży sklepu do pliku CSV i z niego");
    conditions->require_subcommand(1);

    auto* import = conditions->add_subcommand(
        "import", "zapisuje w sklepie warunki sprzedaży z pliku CSV FILE (towar, dCenaSprzed, dataOd, dataDo, ...)");
    addStoreArgument(*import, context);
    auto importFile = std::make_shared<std::string>();
    import->add_option("FILE", *importFile, "plik CSV z warunkami sprzedaży")->required();
    import->callback([&context, importFile] {
        context.job = [importFile](std::ostream& out) {
            refuseStoreFile(*importFile, "plik warunków");
            const auto counts = Products::importConditions(*importFile, TSessionHolder::open(),
                                                           Products::multiPriceHandlingEnabled());
            out << "Zapisano warunki sprzedaży z " << *importFile << ": " << counts.conditions
                << ", nowe elementy towarów wielocenowych: " << counts.elementsCreated << ".\n";
        };
    });

    auto* exportCommand = conditions->add_subcommand("export", "zapisuje warunki sprzedaży sklepu jako CSV");
    addStoreArgument(*exportCommand, context);
    auto exportFile = std::make_shared<std::string>();
    exportCommand->add_option("FILE", *exportFile, "plik do zapisania (bez niego: standardowe wyjście)");
    exportCommand->callback([&context, exportFile] {
        context.job = [exportFile](std::ostream& out) {
            if (exportFile->empty()) {
                Products::exportConditions(out, TSessionHolder::open());
                return;
            }
            refuseStoreFile(*exportFile, "plik warunków");
            Core::AtomicFile file(*exportFile);
            const auto written = Products::exportConditions(file.stream(), TSessionHolder::open());
            file.commit();
            out << "Wyeksportowano warunki sprzedaży do " << *exportFile << ": " << written << ".\n";
        };
    });
}

}  // namespace Towary::Host
