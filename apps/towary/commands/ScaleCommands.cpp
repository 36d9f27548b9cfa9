// towary scale sections DIR: the scale sections and their names.
// towary scale propose DIR SECTION: the free number the module proposes.
// towary scale check DIR SECTION NUMBER [--product P]: whether the product
// form would accept the number in the section (0: no section).
// towary scale set DIR PRODUCT SECTION NUMBER: the check, then the product's
// section and number stored (section 0 clears both).

#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/scales/ScaleNumbers.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace Towary::Host {

void addScaleCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string section;
        std::string number;
        std::string product;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* scale = app.add_subcommand("scale", "scale sections and the products' scale numbers");
    scale->require_subcommand(1);
    const auto addSection = [&arguments](CLI::App& command) {
        command.add_option("SECTION", arguments->section, "the scale section, 1 to 9 (0: none)")
            ->required()
            ->check(numberArgument<int>("Sekcja wagowa", 0, false));
    };

    auto* sections = scale->add_subcommand("sections", "list the scale sections with their names");
    addStoreArgument(*sections, context);
    sections->callback([&context] { context.job = [](std::ostream& out) { ScaleNumbers::printSections(out); }; });

    auto* propose = scale->add_subcommand("propose", "print the free number the module proposes for SECTION");
    addStoreArgument(*propose, context);
    addSection(*propose);
    propose->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << ScaleNumbers::propose(numberOf<int>(arguments->section), TSessionHolder()) << '\n';
        };
    });

    auto* check = scale->add_subcommand("check", "check NUMBER in SECTION as the product form does");
    addStoreArgument(*check, context);
    addSection(*check);
    check->add_option("NUMBER", arguments->number, "the scale number as typed")->required();
    check->add_option("--product", arguments->product, "the product being edited: an id, or / and its article index");
    check->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const std::optional<std::string> product =
                arguments->product.empty() ? std::nullopt : std::optional(arguments->product);
            ScaleNumbers::check(numberOf<int>(arguments->section), arguments->number, product, TSessionHolder());
            out << "Numer wagowy można zapisać.\n";
        };
    });

    auto* set = scale->add_subcommand("set", "check and store PRODUCT's scale SECTION and NUMBER");
    addStoreArgument(*set, context);
    set->add_option("PRODUCT", arguments->product, "a product id, or / and its article index")->required();
    addSection(*set);
    set->add_option("NUMBER", arguments->number, "the scale number")->required();
    set->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << ScaleNumbers::set(arguments->product, numberOf<int>(arguments->section), arguments->number,
                                     TSessionHolder())
                << '\n';
        };
    });
}

}  // namespace Towary::Host
