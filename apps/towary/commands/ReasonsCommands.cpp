// towary reasons list DIR: the return reasons the store has saved, the
// deleted ones marked.
// towary reasons add DIR TEXT [--shortcut S]: a new reason.
// towary reasons delete DIR ID... / restore DIR ID...: reasons marked deleted
// (each after the question) or their mark cleared.
// towary reasons send DIR: the reasons sent to the tills (the outbox file).
// Each change is made in the return-reason window, opened by its GUID: the
// list is locked while it is open and checked whole, deleted reasons
// included, before it is saved. Sending is the window's button, which sends
// what the store saved and so waits for no window.

#include "Core/Action/ActionContainer.h"
#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/ReturnReasons/ReturnReasonsToTills.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

using Towary::ProductTools::ReturnReasonBrowser;

std::shared_ptr<ReturnReasonBrowser> openReasonsWindow(std::ostream& out) {
    return Core::Action::CContainer::invoke<ReturnReasonBrowser>(out, Towary::ProductTools::kReturnReasonBrowserGuid,
                                                                 nullptr);
}

std::size_t rowOf(const ReturnReasonBrowser& window, int id) {
    const auto& reasons = window.reasons();
    for (std::size_t row = 0; row < reasons.size(); ++row)
        if (reasons[row].id == id) return row;
    throw std::runtime_error("Nie ma powodu zwrotu o identyfikatorze " + std::to_string(id) +
                             " (towary reasons list pokazuje identyfikatory). Nic nie zapisano.");
}

void printReason(std::ostream& out, const ReturnReasons::ReturnReason& reason) {
    out << reason.id << '\t' << reason.text << '\t' << reason.shortcut << '\t' << (reason.deleted ? "tak" : "nie")
        << '\n';
}

}  // namespace

void addReasonsCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string text;
        std::string shortcut;
        std::vector<std::string> ids;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* reasons = app.add_subcommand("reasons", "powody zwrotów, które podają kasy");
    reasons->require_subcommand(1);

    auto* list = reasons->add_subcommand("list", "wypisuje powody zwrotów, z oznaczeniem usuniętych");
    addStoreArgument(*list, context);
    list->callback([&context] {
        context.job = [](std::ostream& out) {
            const auto& columns = ReturnReasonBrowser::columns();
            out << "Id\t" << columns[0].caption << '\t' << columns[1].caption << "\tUsunięty\n";
            const auto dao = Orvel::Dao::DaoFactory::instance().create<ReturnReasons::ReturnReasonDao>(
                ReturnReasons::ReturnReasonDao::kName);
            for (const auto& reason : dao->load(TSessionHolder(), {})) printReason(out, reason);
        };
    });

    auto* add = reasons->add_subcommand("add", "dodaje powód zwrotu TEXT");
    addStoreArgument(*add, context);
    add->add_option("TEXT", arguments->text, "powód, najwyżej 64 znaki, niepowtarzalny bez względu na wielkość liter")
        ->required();
    add->add_option("--shortcut", arguments->shortcut, "skrót: do trzech wielkich liter A-Z, niepowtarzalny");
    add->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            auto window = openReasonsWindow(out);
            const auto row = window->add();
            window->editText(row, arguments->text);
            window->editShortcut(row, arguments->shortcut);
            window->save();
            out << "Dodano powód zwrotu:\n";
            const auto added = Core::Utf8::composed(arguments->text);
            for (const auto& reason : window->reasons())
                if (reason.text == added) printReason(out, reason);
            window->close();
        };
    });

    auto* remove = reasons->add_subcommand("delete", "oznacza powody zwrotów ID... jako usunięte");
    addStoreArgument(*remove, context);
    remove->add_option("ID", arguments->ids, "identyfikatory powodów (reasons list)")
        ->required()
        ->check(numberArgument<int>("Identyfikator powodu zwrotu", 0, false));
    remove->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            auto window = openReasonsWindow(out);
            std::vector<int> marked;
            for (const int id : distinctNumbers<int>(arguments->ids)) {
                const auto row = rowOf(*window, id);
                // Asking about a reason deleted already would report a change that is not made.
                if (window->reasons()[row].deleted)
                    out << "Powód zwrotu " << id << " był już usunięty.\n";
                else if (window->remove(row))
                    marked.push_back(id);
            }
            if (marked.empty()) {
                out << "Nic nie zmieniono.\n";
                return;
            }
            window->save();
            for (const int id : marked) out << "Oznaczono jako usunięty powód zwrotu " << id << ".\n";
            window->close();
        };
    });

    auto* restore = reasons->add_subcommand("restore", "zdejmuje oznaczenie usunięcia z powodów zwrotów ID...");
    addStoreArgument(*restore, context);
    restore->add_option("ID", arguments->ids, "identyfikatory powodów (reasons list)")
        ->required()
        ->check(numberArgument<int>("Identyfikator powodu zwrotu", 0, false));
    restore->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            auto window = openReasonsWindow(out);
            std::vector<std::string> lines;
            for (const int id : distinctNumbers<int>(arguments->ids)) {
                const auto row = rowOf(*window, id);
                lines.push_back((window->reasons()[row].deleted ? "Przywrócono powód zwrotu " : "Powód zwrotu ") +
                                std::to_string(id) + (window->reasons()[row].deleted ? "." : " nie był usunięty."));
                window->restore(row);
            }
            window->save();
            for (const auto& line : lines) out << line << '\n';
            window->close();
        };
    });

    auto* send = reasons->add_subcommand("send", "wysyła powody zwrotów na kasy");
    addStoreArgument(*send, context);
    send->callback([&context] {
        context.job = [](std::ostream& out) {
            ReturnReasonBrowser::sendToTills();
            out << "Plik dla kas: " << ReturnReasons::tillFile().string() << '\n';
        };
    });
}

}  // namespace Towary::Host
