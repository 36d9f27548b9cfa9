// towary generate DIR --products N [--seed S] [--malformed PERCENT]
// [--multiprice PERCENT] [--conditions N] [--users N [--rights M]]: a new
// store filled with a product hierarchy, codes and multi-price wares, the same
// for the same seed; PERCENT of the live codes written malformed; sale
// conditions; N users with M rights entries each.
// [--stock-days N] [--documents N]: N days of stock for every product, N
// documents that reserve it or not. [--database URI]: the store's database on
// a PostgreSQL server.

#include <memory>
#include <ostream>
#include <string>

#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/StoreCreation.h"
#include "apps/towary/products/StockGenerator.h"
#include "apps/towary/products/StoreGenerator.h"

namespace Towary::Host {

void addGenerateCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("generate", "zakłada w DIR nowy sklep wypełniony wygenerowanymi towarami");
    addStoreArgument(*command, context);
    auto options = std::make_shared<Products::GeneratorOptions>();
    auto server = std::make_shared<std::string>();
    addDatabaseOption(*command, *server);
    command->add_option("--products", options->products, "liczba towarów (wierszy poziomu 6)")
        ->required()
        ->check(numberArgument<std::int64_t>("Liczba towarów", 0, false, std::pair<std::int64_t, std::int64_t>{1, 100000000}));
    command->add_option("--seed", options->seed, "ziarno generatora: to samo ziarno daje ten sam sklep")
        ->capture_default_str()
        ->check(numberArgument<std::uint64_t>("Ziarno", 0, false));
    command->add_option("--malformed", options->malformedPercent, "odsetek aktywnych kodów zapisanych z błędem")
        ->check(numberArgument<double>("Odsetek kodów z błędem", std::nullopt, false, std::pair{0.0, 100.0}));
    command->add_option("--users", options->users, "liczba użytkowników z uprawnieniami do losowych grup (identyfikatory od 2)")
        ->check(numberArgument<std::int64_t>("Liczba użytkowników", 0, false, std::pair<std::int64_t, std::int64_t>{0, 10000}));
    command->add_option("--rights", options->rightsPerUser, "liczba wpisów uprawnień każdego użytkownika (domyślnie 5)")
        ->check(numberArgument<std::int64_t>("Liczba wpisów uprawnień", 0, false, std::pair<std::int64_t, std::int64_t>{1, 10000}));
    command->add_option("--multiprice", options->multiPricePercent,
                        "odsetek losowań towaru, z których powstaje towar wielocenowy (domyślnie około 1)")
        ->check(numberArgument<double>("Odsetek towarów wielocenowych", std::nullopt, false, std::pair{0.0, 100.0}));
    command->add_option("--conditions", options->conditions, "liczba warunków sprzedaży losowych towarów")
        ->check(numberArgument<std::int64_t>("Liczba warunków sprzedaży", 0, false,
                                             std::pair<std::int64_t, std::int64_t>{0, 100000000}));
    auto stock = std::make_shared<Products::StockOptions>();
    command->add_option("--stock-days", stock->stockDays, "liczba dni stanów każdego towaru, do dziś")
        ->check(numberArgument<std::int64_t>("Liczba dni stanów", 0, false, std::pair<std::int64_t, std::int64_t>{0, 3650}));
    command->add_option("--documents", stock->documents, "liczba dokumentów po 5 pozycji z losowymi towarami")
        ->check(numberArgument<std::int64_t>("Liczba dokumentów", 0, false,
                                             std::pair<std::int64_t, std::int64_t>{0, 100000000}));
    command->callback([&context, options, stock, server] {
        context.newStore = true;
        context.job = [options, stock, server](std::ostream& out) {
            Products::GeneratedCounts counts;
            Products::StockCounts stockCounts;
            stock->seed = options->seed;
            createStore(
                [&](const TSessionHolder& session) {
                    counts = Products::generateProducts(*options, session);
                    stockCounts = Products::generateStock(*stock, session);
                },
                *server);
            out << "Założono sklep w " << Core::Store::directory().string() << " (ziarno " << options->seed
                << "): grupy " << counts.groups << ", towary " << counts.products << " (wagowe " << counts.weighed
                << "), towary wielocenowe " << counts.multiPriceWares << ", kody " << counts.codes << " (usunięte "
                << counts.deletedCodes << ", błędne " << counts.malformedCodes << ")";
            if (counts.users > 0)
                out << ", użytkownicy z uprawnieniami " << counts.users << " (wpisy " << counts.rightsEntries << ")";
            if (counts.conditions > 0) out << ", warunki sprzedaży " << counts.conditions;
            if (stockCounts.stockRows > 0) out << ", wiersze stanów " << stockCounts.stockRows;
            if (stockCounts.documents > 0)
                out << ", dokumenty " << stockCounts.documents << " (pozycje " << stockCounts.positions
                    << ", reklamacje " << stockCounts.complaints << ")";
            out << ".\n";
        };
    });
}

}  // namespace Towary::Host
