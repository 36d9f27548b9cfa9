// towary plu canonical DIR CODE...: the canonical form and type of codes under
// the store's PLU rules (docs/plu-codes.md), for support staff. Each code the
// rules refuse gets its reason on standard error and the command fails.
// towary plu check DIR: the PLU check of the service menu, through its action:
// the report, then the question whether to repair (--yes, --no in scripts).

#include "Core/Action/ActionContainer.h"
#include "Core/Plu/Plu.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "apps/towary/Command.h"
#include "apps/towary/JsonDialogs.h"

#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

std::string typeDescription(Plu::PluType type) {
    switch (type) {
    case Plu::PluType::W:
        return "towar ważony";
    case Plu::PluType::C:
        return "kod artykułu";
    case Plu::PluType::S:
        return "cena specjalna";
    case Plu::PluType::P:
        return "cena w kodzie";
    case Plu::PluType::G:
        return "krótki kod sklepu";
    }
    return "";
}

void printCanonical(const std::vector<std::string>& codes, std::ostream& out) {
    const auto config = Plu::pluConfig();
    std::size_t refused = 0;
    for (const auto& code : codes) {
        try {
            const Plu::TPlu plu(code, config);
            out << '"' << code << "\" -> " << plu.raw() << " (" << static_cast<char>(plu.type()) << ": "
                << typeDescription(plu.type()) << ")\n";
        } catch (const Plu::EInvalidPlu& e) {
            std::cerr << "towary: " << e.what() << '\n';
            ++refused;
        }
    }
    if (refused > 0)
        throw std::runtime_error("Nie rozpoznano kodów: " + std::to_string(refused) + " z " +
                                 std::to_string(codes.size()) + ".");
}

}  // namespace

void addPluCommands(CLI::App& app, Context& context) {
    auto* plu = app.add_subcommand("plu", "kody PLU sklepu: ich postać kanoniczna, sprawdzenie i naprawa");
    plu->require_subcommand(1);

    auto* canonical = plu->add_subcommand("canonical", "wypisuje postać kanoniczną i typ każdego kodu CODE");
    addStoreArgument(*canonical, context);
    auto codes = std::make_shared<std::vector<std::string>>();
    canonical->add_option("CODE", *codes, "kody tak, jak są zapisane lub wpisane")->required();
    canonical->callback([&context, codes] {
        context.job = [codes](std::ostream& out) { printCanonical(*codes, out); };
    });

    auto* check = plu->add_subcommand(
        "check", "zgłasza kody w postaci innej niż kanoniczna, potem pyta, czy je usunąć, czy poprawić");
    addStoreArgument(*check, context);
    check->callback([&context] {
        context.job = [&context](std::ostream&) {
            // The check reads every live code before it shows anything: a program watching it is told so.
            if (auto* json = JsonDialogs::installed())
                json->event({{"type", "progress"}, {"text", "Czytanie i sprawdzanie kodów PLU sklepu…"}});
            Core::Action::CContainer::invoke<Core::IUnknown>(context, PLU::kCheckPluMenuActionGuid, nullptr);
        };
    });

    addPluPriceCodeCommand(*plu, context);
}

}  // namespace Towary::Host
