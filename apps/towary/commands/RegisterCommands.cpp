// towary register send DIR [PRODUCT...] [--front]: the products' codes (every
// product's without any) sent to the till, tagged "PLU0" (with --front "PLU1").
// towary register listen DIR [--count N]: the till's end: prints each record
// that arrives, checked, until the sender closes (until N records with --count).

#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/ProductArgument.h"
#include "apps/towary/register/TillListener.h"

#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host {

void addRegisterCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::vector<std::string> products;
        bool front = false;
        std::string count;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* registers = app.add_subcommand("register", "kasy: kody wysyłane na kasę i strona kasy");
    registers->require_subcommand(1);

    auto* send = registers->add_subcommand("send", "wysyła kody towarów PRODUCT na kasę (bez PRODUCT: kody wszystkich towarów)");
    addStoreArgument(*send, context);
    send->add_option("PRODUCT", arguments->products, "towary: identyfikatory albo / i ich indeksy artykułów");
    send->add_flag("--front", arguments->front, "oznacza rekordy PLU1: program kasy przechodzi na pierwszy plan");
    send->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            TTowarCollection products;
            for (const auto& product : arguments->products)
                products.add(findProduct(product, TSessionHolder(), "do kasy wysyła się kody towarów."));
            const auto count = Towar::sendPlu(products, arguments->front ? "PLU1" : "PLU0");
            if (!count)
                out << "Brak towarów.\n";
            else if (*count == 0)
                out << "Brak PLU do wysłania.\n";
            else
                out << "Liczba wysłanych PLU: " << *count << "\n";
        };
    });

    auto* listen = registers->add_subcommand("listen", "udaje kasę: wypisuje nadchodzące rekordy");
    addStoreArgument(*listen, context);
    listen->add_option("--count", arguments->count, "czeka na N rekordów, z dowolnej liczby wysyłek")
        ->check(numberArgument<int>("Liczba rekordów", 0, false, std::pair{1, 1000000000}));
    listen->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            TillListener till;
            std::cerr << "Kasa czeka na kody: " << till.description() << "\n";
            const std::optional<int> count =
                arguments->count.empty() ? std::nullopt : std::optional<int>(numberOf<int>(arguments->count));
            const int records =
                till.listen(count, [&out](const std::string& line) { out << line << "\n" << std::flush; });
            out << "Odebrano rekordów: " << records << "\n";
        };
    });
}

}  // namespace Towary::Host
