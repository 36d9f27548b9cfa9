// towary multiprice show DIR PRODUCT: a multi-price ware, its elements, their prices and codes.

#include <memory>
#include <ostream>
#include <string>

#include "Core/Database/TSessionHolder.h"
#include "apps/towary/Command.h"
#include "apps/towary/products/MultipriceShow.h"

namespace Towary::Host {

void addMultipriceCommands(CLI::App& app, Context& context) {
    auto* multiprice = app.add_subcommand("multiprice", "towary wielocenowe sklepu");
    multiprice->require_subcommand(1);
    auto* show = multiprice->add_subcommand("show", "towar wielocenowy: jego wiersz grupujący, elementy, ceny, kody");
    addStoreArgument(*show, context);
    auto product = std::make_shared<std::string>();
    show->add_option("PRODUCT", *product, "towar albo jeden z jego elementów: identyfikator albo / i indeks artykułu")
        ->required();
    show->callback([&context, product] {
        context.job = [product](std::ostream& out) {
            Products::showMultiPriceWare(out, *product, TSessionHolder::open());
        };
    });
}

}  // namespace Towary::Host
