// towary plu canonical DIR CODE...: the canonical form and type of codes under
// the store's PLU rules (docs/plu-codes.md), for support staff. Each code the
// rules refuse gets its reason on standard error and the command fails.

#include "Core/Plu/Plu.h"
#include "apps/towary/Command.h"

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
    auto* plu = app.add_subcommand("plu", "the store's PLU codes: their canonical form");
    plu->require_subcommand(1);

    auto* canonical = plu->add_subcommand("canonical", "print the canonical form and type of each CODE");
    addStoreArgument(*canonical, context);
    auto codes = std::make_shared<std::vector<std::string>>();
    canonical->add_option("CODE", *codes, "codes as they are stored or typed")->required();
    canonical->callback([&context, codes] {
        context.job = [codes](std::ostream& out) { printCanonical(*codes, out); };
    });
}

}  // namespace Towary::Host
