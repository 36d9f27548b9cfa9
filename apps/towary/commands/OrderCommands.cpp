// towary order variant DIR FILE.xml [--pick N]: the purchase-condition
// variants of a file in the selection grid, and the order position filled
// from the one chosen (at the terminal, or row N; under --dialogs json, by
// the program that reads the grid's question).

#include "Core/Action/ActionContainer.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/SystemError.h"
#include "Modules/Towary/Tools/ui/PurchaseConditionVariants.h"
#include "apps/towary/Command.h"
#include "apps/towary/JsonDialogs.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/TerminalDialogs.h"

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace Towary::Host {
namespace {

using namespace Towary::ProductTools;

std::string readVariantsFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Nie można otworzyć pliku wariantów " + file + ": " + Core::systemErrorText(errno));
    std::ostringstream text;
    // A directory opens as a file and fails at the first read, which peek reports; copying nothing
    // from an empty file would only mark the copy failed, and the parser says the file is empty.
    if (in.peek() != std::ifstream::traits_type::eof()) text << in.rdbuf();
    if (in.bad() || text.bad())
        throw std::runtime_error("Nie można odczytać pliku wariantów " + file + ": " + Core::systemErrorText(errno));
    return text.str();
}

// The terminal's dialogs answering grids with the row given, for the scope.
class PickedRowDialogs {
public:
    explicit PickedRowDialogs(std::ostream& out, std::optional<std::size_t> row)
        : previous_(Core::setDialogs(std::make_shared<TerminalDialogs>(std::cin, out, std::cerr,
                                                                       isatty(STDIN_FILENO) != 0, std::nullopt, row))) {}
    ~PickedRowDialogs() { Core::setDialogs(previous_); }
    PickedRowDialogs(const PickedRowDialogs&) = delete;
    PickedRowDialogs& operator=(const PickedRowDialogs&) = delete;

private:
    std::shared_ptr<Core::IDialogs> previous_;
};

void printPosition(std::ostream& out, const Orvel::Orders::OrderPos& position, std::size_t variant) {
    const auto& unit = Core::SingletonImplHolder::get<Core::AvailMeasureUnits>().find(position.getPurchaseMeasureUnit());
    const auto& minimum = position.getLogisticMinimum();
    out << "Pozycja zamówienia z wariantu " << variant << ":\n"
        << "  Cena zakupu netto:                      " << position.getPurchasePrice() << '\n'
        << "  Cena zakupu w walucie:                  " << position.getCurrencyPurchasePrice() << '\n'
        << "  Cena zakupu przed rabatem:              " << position.getPurchasePriceBeforeDiscount() << '\n'
        << "  Jednostka zamówienia:                   " << unit.shortName() << " (" << unit.name() << ", kod "
        << unit.id() << ")\n"
        << "  Liczba jm. sprzedaży w jm. zamówienia:  " << position.getSaleUnitsInOrderUnit() << '\n'
        << "  Minimum logistyczne:                    " << (minimum ? minimum->toString() : "brak") << '\n'
        << "  Indeks towaru dostawcy:                 "
        << (position.getProviderProductIndex().empty() ? "brak" : position.getProviderProductIndex()) << '\n'
        << "  Wyprzedaż:                              " << (position.getClearanceSale() ? "tak" : "nie") << '\n';
}

}  // namespace

void addOrderCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string file;
        std::string pick;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* order = app.add_subcommand("order", "zamówienia zakupu");
    order->require_subcommand(1);
    auto* variant = order->add_subcommand("variant", "wybiera wariant warunku zakupu z pliku FILE dla pozycji zamówienia");
    addStoreArgument(*variant, context);
    variant->add_option("FILE", arguments->file, "warianty w XML: elementy <variant> pod korzeniem")->required();
    variant->add_option("--pick", arguments->pick, "wiersz do wybrania, liczony od 1, zamiast pytania")
        ->check(numberArgument<std::size_t>("Numer wiersza", 0, false));
    variant->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            auto variants = parseVariants(readVariantsFile(arguments->file), arguments->file);
            if (variants.empty())
                throw std::runtime_error("Plik wariantów " + arguments->file +
                                         " nie zawiera żadnego wariantu (elementu <variant> pod elementem głównym).");
            std::optional<std::size_t> row;
            if (!arguments->pick.empty()) row = numberOf<std::size_t>(arguments->pick);
            std::shared_ptr<ChosenPurchaseVariant> chosen;
            {
                // A program reading the JSON dialogs (a clerk's page) answers the grid itself.
                std::optional<PickedRowDialogs> dialogs;
                if (!JsonDialogs::installed()) dialogs.emplace(out, row);
                chosen = Core::Action::CContainer::invoke<ChosenPurchaseVariant>(
                    out, kPurchaseVariantSelectDialogGuid, std::make_shared<PurchaseVariantsArgs>(std::move(variants)));
            }
            if (!chosen || !chosen->variant) {
                out << "Nie wybrano wariantu; pozycja zamówienia bez zmian.\n";
                return;
            }
            Orvel::Orders::OrderPos position;
            Core::Action::CContainer::invoke<Core::IUnknown>(out, kFillOrderPositionGuid,
                                                             std::make_shared<FillOrderPositionArgs>(chosen->variant, position));
            printPosition(out, position, chosen->variant->number());
        };
    });
}

}  // namespace Towary::Host
