// towary commission list DIR: the commission groups in the columns of their
// window, with their ids.
// towary commission delete DIR ID...: the groups deleted, each after the
// question, in the commission-group window opened by its GUID (an id given
// twice counts once); a group that recipients are tied to is refused, and
// then nothing is deleted.

#include "Core/Action/ActionContainer.h"
#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

using Towary::ProductTools::CommissionGroupBrowser;

std::shared_ptr<CommissionGroupBrowser> openCommissionWindow(std::ostream& out) {
    return Core::Action::CContainer::invoke<CommissionGroupBrowser>(
        out, Towary::ProductTools::kCommissionGroupBrowserGuid, nullptr);
}

std::size_t rowOf(const CommissionGroupBrowser& window, int id) {
    const auto& groups = window.groups().items();
    for (std::size_t row = 0; row < groups.size(); ++row)
        if (groups[row]->id == id) return row;
    throw std::runtime_error("Nie ma grupy prowizyjnej o identyfikatorze " + std::to_string(id) +
                             " (towary commission list pokazuje identyfikatory). Nic nie usunięto.");
}

}  // namespace

void addCommissionCommands(CLI::App& app, Context& context) {
    auto ids = std::make_shared<std::vector<std::string>>();
    auto* commission = app.add_subcommand("commission", "grupy prowizyjne asortymentu");
    commission->require_subcommand(1);

    auto* list = commission->add_subcommand("list", "wypisuje grupy prowizyjne");
    addStoreArgument(*list, context);
    list->callback([&context] {
        context.job = [](std::ostream& out) {
            const auto window = openCommissionWindow(out);
            const auto& columns = CommissionGroupBrowser::columns();
            out << "Id";
            for (const auto& column : columns) out << '\t' << column.caption;
            out << '\n';
            for (std::size_t row = 0; row < window->groups().size(); ++row) {
                out << window->groups().at(row)->id;
                for (const auto& column : columns) out << '\t' << window->cell(row, column.key);
                out << '\n';
            }
        };
    });

    auto* remove = commission->add_subcommand("delete", "usuwa grupy prowizyjne ID...");
    addStoreArgument(*remove, context);
    remove->add_option("ID", *ids, "identyfikatory grup (commission list)")
        ->required()
        ->check(numberArgument<int>("Identyfikator grupy prowizyjnej", 0, false));
    remove->callback([&context, ids] {
        context.job = [ids](std::ostream& out) {
            using Removal = CommissionGroupBrowser::Removal;
            auto window = openCommissionWindow(out);
            std::vector<int> removed;
            for (const int id : distinctNumbers<int>(*ids)) {
                switch (window->remove(rowOf(*window, id))) {
                    case Removal::Removed: removed.push_back(id); break;
                    case Removal::Declined: break;
                    case Removal::HasRecipients:
                        throw std::runtime_error("Grupa prowizyjna " + std::to_string(id) +
                                                 " ma odbiorców. Nic nie usunięto.");
                }
            }
            if (removed.empty()) {
                out << "Nic nie usunięto.\n";
                return;
            }
            window->save();
            for (const auto& id : removed) out << "Usunięto grupę prowizyjną " << id << ".\n";
        };
    });
}

}  // namespace Towary::Host
