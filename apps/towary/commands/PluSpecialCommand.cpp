// towary plu special DIR PRODUCT PRICE [--labels N]: a new special-price code
// for a product (an id or / and its article index), stored with its price,
// its labels to print and the change-history entry; prints the code.

#include "apps/towary/Command.h"
#include "apps/towary/plu/SpecialPriceCode.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addPluSpecialCommand(CLI::App& plu, Context& context) {
    struct Arguments {
        std::string product;
        double price = 0;
        int labels = 1;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* special = plu.add_subcommand("special", "make a special-price code for PRODUCT at PRICE and print it");
    addStoreArgument(*special, context);
    special->add_option("PRODUCT", arguments->product, "a product id, or / and its article index")->required();
    special->add_option("PRICE", arguments->price, "the special price, 0.01 to 999.99")->required();
    special->add_option("--labels", arguments->labels, "labels to print with the price (default 1)")
        ->check(CLI::NonNegativeNumber);
    special->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << SpecialPrices::addSpecialPriceCode(arguments->product, arguments->price, arguments->labels,
                                                      TSessionHolder())
                << '\n';
        };
    });
}

}  // namespace Towary::Host
