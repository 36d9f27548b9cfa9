// towary find DIR IDENTIFIER: the products a code, /index or the beginning of
// a name finds, as the identifier field of the back office finds them.

#include "apps/towary/Command.h"
#include "apps/towary/products/ProductFind.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addFindCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand(
        "find", "wypisuje towary, które znajduje IDENTIFIER: kod, / i indeks artykułu albo początek nazwy");
    addStoreArgument(*command, context);
    auto identifier = std::make_shared<std::string>();
    command
        ->add_option("IDENTIFIER", *identifier,
                     "cyfry: kod albo numer towaru ważonego; /CYFRY: koniec indeksu artykułu; inny tekst: "
                     "początek nazwy, * zastępuje dowolne znaki")
        ->required()
        ->check([](const std::string& text) { return text.empty() ? std::string("pusty identyfikator") : ""; });
    command->callback([&context, identifier] {
        context.job = [identifier](std::ostream& out) {
            const auto count = Products::findProducts(out, *identifier, TSessionHolder::open());
            out << "Znaleziono: " << count << ".\n";
        };
    });
}

}  // namespace Towary::Host
