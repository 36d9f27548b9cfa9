// towary status plan DIR PRODUCT STATUS RRRR-MM-DD: a planned change of the
// product's activity status from that day (today or later).
// towary status list DIR [--all]: the planned changes still to come (all of
// them with --all), in the columns of the planning window.
// towary status delete DIR ID: a planned change deleted.
// towary status window DIR: the planning window, one action a line from
// standard input; --yes or --no answers its questions in a script.

#include "apps/towary/Command.h"
#include "apps/towary/DayArgument.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/status/StatusPlans.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {

void addStatusCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string product;
        std::string status;
        std::string day;
        std::string id;
        bool all = false;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* status = app.add_subcommand("status", "zaplanowane zmiany statusów aktywności towarów");
    status->require_subcommand(1);

    auto* plan = status->add_subcommand("plan", "planuje status aktywności STATUS towaru PRODUCT od dnia DAY");
    addStoreArgument(*plan, context);
    plan->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu")->required();
    plan->add_option("STATUS", arguments->status, "status aktywności z listy sklepu")
        ->required()
        ->check(numberArgument<int>("Status aktywności", 0, false));
    plan->add_option("DAY", arguments->day, "dzień zmiany, RRRR-MM-DD, dziś lub później")
        ->required()
        ->check(dayArgument());
    plan->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << StatusPlans::plan(arguments->product, numberOf<int>(arguments->status), arguments->day) << '\n';
        };
    });

    auto* list = status->add_subcommand("list", "wypisuje zaplanowane zmiany, które mają dopiero nastąpić");
    addStoreArgument(*list, context);
    list->add_flag("--all", arguments->all, "także wykonane zmiany i zmiany minionych dni");
    list->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) { StatusPlans::list(arguments->all, out); };
    });

    auto* remove = status->add_subcommand("delete", "usuwa zaplanowaną zmianę ID");
    addStoreArgument(*remove, context);
    remove->add_option("ID", arguments->id, "identyfikator zaplanowanej zmiany (status list)")
        ->required()
        ->check(numberArgument<int>("Identyfikator zmiany", 0, false));
    remove->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            StatusPlans::remove(numberOf<int>(arguments->id));
            out << "Usunięto zaplanowaną zmianę statusu " << arguments->id << ".\n";
        };
    });

    auto* window = status->add_subcommand(
        "window", "okno planowania zmiany statusu: polecenia okna z wejścia, jedno w wierszu (pomoc je wypisuje)");
    addStoreArgument(*window, context);
    window->callback([&context] {
        context.job = [](std::ostream& out) {
            StatusPlans::window(std::cin, out, std::cerr, isatty(STDIN_FILENO) != 0);
        };
    });
}

}  // namespace Towary::Host
