// towary vat plan DIR [--overwrite]: the plan dialog of the VAT change of
// 2011-01-01 (--overwrite ticks its box "Nadpisz zaplanowane wcześniej
// zmiany stawek"); under --dialogs json the reader answers the plan's
// questions.
// towary vat apply DIR [--day D]: the menu action: plan, the changes of the
// day (today unless given), the renaming of the networks that do it.
// towary vat import DIR FILE: the PKWiU list import from FILE: each line's
// changes, then the question with their number, kept only on yes.
// towary vat pending DIR: the planned changes not yet carried out.
// towary name short DIR NAME VAT [--day D]: the short receipt name of a
// product of that name and VAT code.

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"
#include "apps/towary/Command.h"
#include "apps/towary/DayArgument.h"
#include "apps/towary/JsonDialogs.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/TerminalDialogs.h"
#include "apps/towary/products/PendingVatChanges.h"

#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {
namespace {

// Hands the terminal's dialogs what the command line answers. A program
// reading the JSON dialogs (the web host) asks its clerk the questions
// instead; only the file named on the command line answers its dialog there too.
void scriptDialogs(TerminalDialogs::Script script) {
    if (auto* terminal = dynamic_cast<TerminalDialogs*>(&Core::dialogs())) terminal->script(std::move(script));
    else if (auto* json = JsonDialogs::installed(); json && script.file) json->giveFile(*script.file);
}

void invoke(const std::string& guid, const Core::IUnknownPtr& args = {}) {
    Core::Action::CContainer::invoke<Core::IUnknown>(Core::Action::CContainer::instance(), guid, args);
}

void printPending(std::ostream& out) {
    const auto pending = Products::pendingVatChanges(TSessionHolder());
    if (pending.empty()) {
        out << "Brak zaplanowanych zmian stawek VAT.\n";
        return;
    }
    out << "Towar\tIndeks\tNazwa\tDzień\tStawka obecna\tStawka docelowa\n";
    for (const auto& change : pending)
        out << change.product << '\t' << change.articleIndex << '\t' << change.name << '\t'
            << Core::DayNumber::toText(change.day) << '\t' << change.rateFrom << '\t' << change.rateTo << '\n';
}

}  // namespace

void addVatCommands(CLI::App& app, Context& context) {
    struct Arguments {
        bool overwrite = false;
        std::string day;
        std::string file;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* vat = app.add_subcommand("vat", "zaplanowane zmiany stawek VAT towarów");
    vat->require_subcommand(1);

    auto* plan = vat->add_subcommand("plan", "planuje zmianę stawek VAT z 2011-01-01 (okno planu)");
    addStoreArgument(*plan, context);
    plan->add_flag("--overwrite", arguments->overwrite, "zaznacza „Nadpisz zaplanowane wcześniej zmiany stawek”");
    plan->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            std::vector<std::string> ticked;
            if (arguments->overwrite) ticked.emplace_back("OVERWRITE");
            scriptDialogs({std::nullopt, ticked});
            invoke(Towar::kPlanChangeVatGuid);
            printPending(out);
        };
    });

    auto* apply = vat->add_subcommand("apply", "wykonuje zmiany zaplanowane na dany dzień (akcja menu)");
    addStoreArgument(*apply, context);
    apply->add_option("--day", arguments->day, "dzień, RRRR-MM-DD (domyślnie dziś)")->check(dayArgument());
    apply->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            invoke(Towar::kVatMainMenuGuid,
                   std::make_shared<Core::SessionDayStreamArgument>(TSessionHolder(), dayOfArgument(arguments->day), out));
        };
    });

    auto* import = vat->add_subcommand("import", "planuje zmiany z listy PKWiU (prefiks, nazwa stawki, wykluczenia)");
    addStoreArgument(*import, context);
    import->add_option("FILE", arguments->file, "lista: wiersze z polami rozdzielonymi tabulatorami, UTF-8")->required();
    import->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            refuseStoreFile(arguments->file, "plik z listą PKWiU");
            scriptDialogs({std::filesystem::path(arguments->file), std::nullopt});
            invoke(Towar::kChangeVatByPkwiuGuid, std::make_shared<Core::StreamArgument>(out));
        };
    });

    auto* pending = vat->add_subcommand("pending", "zaplanowane zmiany, jeszcze niewykonane");
    addStoreArgument(*pending, context);
    pending->callback([&context] { context.job = [](std::ostream& out) { printPending(out); }; });
}

void addNameCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string name;
        std::string vat;
        std::string day;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* name = app.add_subcommand("name", "nazwy towarów");
    name->require_subcommand(1);
    auto* shortName = name->add_subcommand("short", "krótka nazwa paragonowa nazwy NAME przy kodzie stawki VAT");
    addStoreArgument(*shortName, context);
    shortName->add_option("NAME", arguments->name, "pełna nazwa towaru")->required();
    shortName->add_option("VAT", arguments->vat, "kod stawki VAT")->required()->check(numberArgument<int>("Kod VAT", 0, false));
    shortName->add_option("--day", arguments->day, "dzień litery fiskalnej, RRRR-MM-DD (domyślnie dziś)")
        ->check(dayArgument());
    shortName->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const auto text =
                Towar::CKrNazwaCreator(arguments->name, numberOf<int>(arguments->vat), dayOfArgument(arguments->day)).get();
            out << '"' << text << "\"\n";
        };
    });
}

}  // namespace Towary::Host
