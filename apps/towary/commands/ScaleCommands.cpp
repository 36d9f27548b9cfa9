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
    auto* scale = app.add_subcommand("scale", "sekcje wagowe i numery wagowe towarów");
    scale->require_subcommand(1);
    const auto addSection = [&arguments](CLI::App& command) {
        command.add_option("SECTION", arguments->section, "sekcja wagowa, od 1 do 9 (0: brak)")
            ->required()
            ->check(numberArgument<int>("Sekcja wagowa", 0, false));
    };

    auto* sections = scale->add_subcommand("sections", "wypisuje sekcje wagowe z ich nazwami");
    addStoreArgument(*sections, context);
    sections->callback([&context] { context.job = [](std::ostream& out) { ScaleNumbers::printSections(out); }; });

    auto* propose = scale->add_subcommand("propose", "wypisuje wolny numer, który moduł proponuje dla sekcji SECTION");
    addStoreArgument(*propose, context);
    addSection(*propose);
    propose->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << ScaleNumbers::propose(numberOf<int>(arguments->section), TSessionHolder()) << '\n';
        };
    });

    auto* check = scale->add_subcommand("check", "sprawdza numer NUMBER w sekcji SECTION tak, jak formularz towaru");
    addStoreArgument(*check, context);
    addSection(*check);
    check->add_option("NUMBER", arguments->number, "numer wagowy tak, jak go wpisano")->required();
    check->add_option("--product", arguments->product, "edytowany towar: identyfikator albo / i indeks artykułu");
    check->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const std::optional<std::string> product =
                arguments->product.empty() ? std::nullopt : std::optional(arguments->product);
            ScaleNumbers::check(numberOf<int>(arguments->section), arguments->number, product, TSessionHolder());
            out << "Numer wagowy można zapisać.\n";
        };
    });

    auto* set = scale->add_subcommand("set", "sprawdza i zapisuje sekcję wagową SECTION i numer wagowy NUMBER towaru PRODUCT");
    addStoreArgument(*set, context);
    set->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu")->required();
    addSection(*set);
    set->add_option("NUMBER", arguments->number, "numer wagowy")->required();
    set->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << ScaleNumbers::set(arguments->product, numberOf<int>(arguments->section), arguments->number,
                                     TSessionHolder())
                << '\n';
        };
    });
}

}  // namespace Towary::Host
