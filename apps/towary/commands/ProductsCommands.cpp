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
    auto* products = app.add_subcommand("products", "move the store's products and their codes in and out as CSV");
    products->require_subcommand(1);

    auto* import = products->add_subcommand("import", "add the products and codes of the CSV file FILE to the store");
    addStoreArgument(*import, context);
    auto importOptions = std::make_shared<FileOption>();
    import->add_option("FILE", importOptions->file,
                       "CSV file: a header of towar and plu column names, then rows; - for standard input")
        ->required();
    import->callback([&context, importOptions] {
        context.job = [importOptions](std::ostream& out) {
            refuseStoreFile(importOptions->file, "plik towarów");
            const auto counts = Products::importProducts(importOptions->file, TSessionHolder::open(),
                                                         Products::multiPriceHandlingEnabled());
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

    auto* exportCommand = products->add_subcommand("export", "write the store's products and codes as CSV");
    addStoreArgument(*exportCommand, context);
    auto exportOptions = std::make_shared<FileOption>();
    exportCommand->add_option("FILE", exportOptions->file, "the file to write (standard output without it)");
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

    auto* show = products->add_subcommand("show", "print a product and its codes: ID, /INDEX, CODE or a fragment of names");
    addStoreArgument(*show, context);
    auto shown = std::make_shared<std::string>();
    show->add_option("PRODUCT", *shown, "a product id, / and an article index, a code, or a fragment of names")
        ->required();
    show->callback([&context, shown] {
        context.job = [shown](std::ostream& out) { Products::showProducts(out, *shown, TSessionHolder::open()); };
    });
}

}  // namespace Towary::Host
