// towary products import|export|show DIR ...: the store's products and their
// codes in and out as CSV files (docs/products-csv.md), and one product shown.

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "Core/Database/TSessionHolder.h"
#include "Core/tools/AtomicFile.h"
#include "apps/towary/Command.h"
#include "apps/towary/JsonDialogs.h"
#include "apps/towary/products/ProductExport.h"
#include "apps/towary/products/ProductImport.h"
#include "apps/towary/products/ProductShow.h"

namespace Towary::Host {
namespace {

struct FileOption {
    std::string file;  // "" when not given
};

}  // namespace

void addProductsCommands(CLI::App& app, Context& context) {
    auto* products = app.add_subcommand("products", "przenosi towary sklepu i ich kody do pliku CSV i z niego");
    products->require_subcommand(1);

    auto* import = products->add_subcommand("import", "dodaje do sklepu towary i kody z pliku CSV FILE");
    addStoreArgument(*import, context);
    auto importOptions = std::make_shared<FileOption>();
    import->add_option("FILE", importOptions->file,
                       "plik CSV: nagłówek z nazwami kolumn towar i plu, potem wiersze; - to standardowe wejście")
        ->required();
    import->callback([&context, importOptions] {
        context.job = [importOptions](std::ostream& out) {
            refuseStoreFile(importOptions->file, "plik towarów");
            // A program that reads the dialogs' stream (the web host) draws how far the import has come.
            auto* json = JsonDialogs::installed();
            if (json) json->event({{"type", "progress"}, {"text", "Sprawdzanie pliku towarów…"}});
            Products::ImportProgress progress;
            if (json)
                progress = [json](std::int64_t stored, std::int64_t rows) {
                    json->event(
                        {{"type", "progress"}, {"text", "Zapisane wiersze pliku"}, {"done", stored}, {"total", rows}});
                };
            const auto counts = Products::importProducts(importOptions->file, TSessionHolder::open(),
                                                         Products::multiPriceHandlingEnabled(), progress);
            for (const auto& line : counts.log) out << line << "\n";
            out << "Zaimportowano "
                << (importOptions->file == Products::kStandardInput ? "ze standardowego wejścia"
                                                                    : "z " + importOptions->file)
                << ": towary i grupy " << counts.products << ", kody " << counts.codes << ".\n";
            if (counts.waresCreated + counts.waresConverted + counts.waresMoved + counts.waresDissolved > 0)
                out << "Towary wielocenowe: utworzone " << counts.waresCreated << ", zamienione ze zwykłych "
                    << counts.waresConverted << ", przeniesione " << counts.waresMoved << ", rozwiązane "
                    << counts.waresDissolved << ".\n";
        };
    });

    auto* exportCommand = products->add_subcommand("export", "zapisuje towary i kody sklepu jako CSV");
    addStoreArgument(*exportCommand, context);
    auto exportOptions = std::make_shared<FileOption>();
    exportCommand->add_option("FILE", exportOptions->file, "plik do zapisania (bez niego: standardowe wyjście)");
    exportCommand->callback([&context, exportOptions] {
        context.job = [exportOptions](std::ostream& out) {
            if (exportOptions->file.empty()) {
                Products::exportProducts(out, TSessionHolder::open());
                return;
            }
            refuseStoreFile(exportOptions->file, "plik towarów");
            Core::AtomicFile file(exportOptions->file);
            const auto counts = Products::exportProducts(file.stream(), TSessionHolder::open());
            file.commit();
            out << "Wyeksportowano do " << exportOptions->file << ": towary i grupy " << counts.products
                << ", kody " << counts.codes << ".\n";
        };
    });

    auto* show = products->add_subcommand("show", "wypisuje towar i jego kody: ID, /INDEKS, KOD albo fragment nazw");
    addStoreArgument(*show, context);
    auto shown = std::make_shared<std::string>();
    show->add_option("PRODUCT", *shown, "identyfikator towaru, / i indeks artykułu, kod albo fragment nazw")
        ->required();
    show->callback([&context, shown] {
        context.job = [shown](std::ostream& out) { Products::showProducts(out, *shown, TSessionHolder::open()); };
    });
}

}  // namespace Towary::Host
