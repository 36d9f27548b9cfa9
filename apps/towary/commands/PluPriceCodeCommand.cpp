// towary plu special DIR PRODUCT PRICE [--labels N]: a new special-price code
// for a product (an id or / and its article index), stored with its price,
// its labels to print and the change-history entry; prints the code.

#include "Core/Price/Price.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/plu/SpecialPriceCode.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addPluPriceCodeCommand(CLI::App& plu, Context& context) {
    struct Arguments {
        std::string product;
        std::string price;
        std::string labels = "1";
    };
    auto arguments = std::make_shared<Arguments>();
    auto* special = plu.add_subcommand("special", "tworzy kod ceny specjalnej dla towaru PRODUCT w cenie PRICE i wypisuje go");
    addStoreArgument(*special, context);
    special->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu")->required();
    special->add_option("PRICE", arguments->price, "cena specjalna, od 0.01 do 999.99")
        ->required()
        ->check(numberArgument<double>("Cena specjalna", Core::Price::iPrecision, false));
    special->add_option("--labels", arguments->labels, "liczba etykiet do wydruku z ceną (domyślnie 1)")
        ->check(numberArgument<int>("Liczba etykiet", 0, false));
    special->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << SpecialPrices::addSpecialPriceCode(arguments->product, numberOf<double>(arguments->price),
                                                      numberOf<int>(arguments->labels), TSessionHolder())
                << '\n';
        };
    });
}

}  // namespace Towary::Host
