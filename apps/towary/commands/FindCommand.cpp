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
        "find", "print the products IDENTIFIER finds: a code, / and an article index, or a name's beginning");
    addStoreArgument(*command, context);
    auto identifier = std::make_shared<std::string>();
    command
        ->add_option("IDENTIFIER", *identifier,
                     "digits: a code or a weighed product's number; /DIGITS: the end of an article index; other "
                     "text: the beginning of a name, * for any characters")
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
