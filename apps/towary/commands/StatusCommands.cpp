// towary status plan DIR PRODUCT STATUS YYYY-MM-DD: a planned change of the
// product's activity status from that day (today or later).
// towary status list DIR [--all]: the planned changes still to come (all of
// them with --all), in the columns of the planning window.
// towary status delete DIR ID: a planned change deleted.

#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/status/StatusPlans.h"

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
    auto* status = app.add_subcommand("status", "planned changes of the products' activity statuses");
    status->require_subcommand(1);

    auto* plan = status->add_subcommand("plan", "plan PRODUCT's activity STATUS from DAY");
    addStoreArgument(*plan, context);
    plan->add_option("PRODUCT", arguments->product, "a product id, or / and its article index")->required();
    plan->add_option("STATUS", arguments->status, "the activity status, one of the store's list")
        ->required()
        ->check(numberArgument<int>("Status aktywności", 0, false));
    plan->add_option("DAY", arguments->day, "the day of the change, YYYY-MM-DD, today or later")->required();
    plan->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            out << StatusPlans::plan(arguments->product, numberOf<int>(arguments->status), arguments->day,
                                     TSessionHolder())
                << '\n';
        };
    });

    auto* list = status->add_subcommand("list", "list the planned changes still to come");
    addStoreArgument(*list, context);
    list->add_flag("--all", arguments->all, "also the applied changes and those of past days");
    list->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) { StatusPlans::list(arguments->all, out, TSessionHolder()); };
    });

    auto* remove = status->add_subcommand("delete", "delete the planned change ID");
    addStoreArgument(*remove, context);
    remove->add_option("ID", arguments->id, "the id of the planned change (status list)")
        ->required()
        ->check(numberArgument<int>("Identyfikator zmiany", 0, false));
    remove->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            StatusPlans::remove(numberOf<int>(arguments->id), TSessionHolder());
            out << "Usunięto zaplanowaną zmianę statusu " << arguments->id << ".\n";
        };
    });
}

}  // namespace Towary::Host
