// towary lists DIR [NAME] [--tsv]: the code-to-label lists of the product
// forms (all of them, or the one named), codes and labels.
// towary stock DIR PRODUCT [--exclude-document ID]: the product's stock,
// reserved quantity and units in complaint handling.
// towary ordering DIR: the ordering methods the store offers, with the stock
// levels each works with.

#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/classification/ClassificationReports.h"

#include <boost/algorithm/string/join.hpp>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace Towary::Host {

void addClassificationCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string name;
        bool tsv = false;
        std::string product;
        std::string excluded = "0";
    };
    auto arguments = std::make_shared<Arguments>();

    auto* lists = app.add_subcommand("lists", "wypisuje listy kodów i etykiet formularzy towaru");
    addStoreArgument(*lists, context);
    const auto& names = ClassificationReports::listNames();
    lists->add_option("NAME", arguments->name, "jedna lista: " + boost::algorithm::join(names, ", "))
        ->check(CLI::Validator(
            [&names](std::string& name) -> std::string {
                if (std::find(names.begin(), names.end(), name) != names.end()) return {};
                return "Nie ma listy \"" + name + "\"; są: " + boost::algorithm::join(names, ", ") + ".";
            },
            "NAME"));
    lists->add_flag("--tsv", arguments->tsv, "wiersz na pozycję: NAZWA, KOD i ETYKIETA rozdzielone tabulatorami");
    lists->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            ClassificationReports::printLists(
                arguments->name.empty() ? std::nullopt : std::optional(arguments->name), arguments->tsv, out);
        };
    });

    auto* stock = app.add_subcommand("stock", "wypisuje stan towaru PRODUCT, ilość zarezerwowaną i sztuki w serwisie");
    addStoreArgument(*stock, context);
    stock->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu")->required();
    stock->add_option("--exclude-document", arguments->excluded, "dokument, którego rezerwacji się nie liczy")
        ->check(numberArgument<int>("Identyfikator dokumentu", 0, false));
    stock->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            ClassificationReports::printStock(arguments->product, numberOf<int>(arguments->excluded),
                                              TSessionHolder(), out);
        };
    });

    auto* ordering = app.add_subcommand("ordering", "wypisuje oferowane sposoby zamawiania i ich poziomy zapasu");
    addStoreArgument(*ordering, context);
    ordering->callback([&context] { context.job = [](std::ostream& out) { ClassificationReports::printOrdering(out); }; });
}

}  // namespace Towary::Host
