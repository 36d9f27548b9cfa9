// towary price ...: the module's price arithmetic for a pricing clerk: the
// gross sale price of a purchase price and a margin, the margin of a sale
// price, a price rounded by a product's rule, and the store's VAT rates.

#include "Core/Price/Price.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/ProductSalePriceRounder.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/PriceReports.h"

#include <boost/format.hpp>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace Towary::Host {
namespace {

struct PriceOptions {
    std::string purchase;
    std::string margin;
    std::string sale;
    std::string vatCode;
    std::string productId;
};

CLI::App* priceCommand(CLI::App& group, Context& context, const std::string& name, const std::string& description) {
    auto* command = group.add_subcommand(name, description);
    addStoreArgument(*command, context);
    return command;
}

void addVatCode(CLI::App& command, std::string& code) {
    command.add_option("VATCODE", code, "kod stawki VAT towaru (byVAT); wypisuje je `towary price vat`")
        ->required()
        ->check(numberArgument<int>("Kod stawki VAT", 0, false));
}

}  // namespace

void printVatRates(std::ostream& out) {
    const auto& rates = Core::SingletonImplHolder::get<Vat::AvailVatRates>().getAllVatRates();
    out << "Kod\tNazwa\tStawka %\tLitera fiskalna\tDla towarów\n";
    for (const Vat::VatRate& rate : rates)
        out << rate.code() << '\t' << rate.name() << '\t' << percentText(rate.value()) << '\t'
            << rate.fiscalCode() << '\t' << (rate.productExcluded() ? "nie" : "tak") << '\n';
}

std::string percentText(double fraction) {
    // + 0.0 turns the -0.0 of a tiny loss rounded away into a plain 0.00.
    return (boost::format("%.2f") % (fraction * 100 + 0.0)).str();
}

void addPriceCommands(CLI::App& app, Context& context) {
    auto* group = app.add_subcommand("price", "ceny sprzedaży, marże, zaokrąglanie cen i stawki VAT");
    group->require_subcommand(1);
    auto options = std::make_shared<PriceOptions>();

    auto* sell = priceCommand(*group, context, "sell", "cena sprzedaży brutto z ceny zakupu netto i marży");
    sell->add_option("PURCHASE", options->purchase, "cena zakupu netto, do 4 miejsc po kropce (10.0500)")
        ->required()
        ->check(numberArgument<double>("Cena zakupu", Core::PurchasePrice::iPrecision, false));
    sell->add_option("MARGIN", options->margin, "marża w procentach (25 to 25 %, -5 to sprzedaż poniżej kosztu)")
        ->required()
        ->check(numberArgument<double>("Marża", std::nullopt, true));
    addVatCode(*sell, options->vatCode);
    sell->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            const double price = calcSellPrice(numberOf<double>(options->purchase), numberOf<double>(options->margin),
                                               numberOf<int>(options->vatCode));
            out << Core::Price(price) << '\n';
        };
    });

    auto* margin = priceCommand(*group, context, "margin", "marża ceny sprzedaży brutto, w procentach");
    margin->add_option("PURCHASE", options->purchase, "cena zakupu netto, do 4 miejsc po kropce")
        ->required()
        ->check(numberArgument<double>("Cena zakupu", Core::PurchasePrice::iPrecision, false));
    margin->add_option("GROSS-SALE", options->sale, "cena sprzedaży brutto, do 2 miejsc po kropce")
        ->required()
        ->check(numberArgument<double>("Cena sprzedaży", Core::Price::iPrecision, false));
    addVatCode(*margin, options->vatCode);
    margin->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            out << percentText(recalcMarza(numberOf<double>(options->purchase), numberOf<double>(options->sale),
                                          numberOf<int>(options->vatCode)))
                << '\n';
        };
    });

    auto* round = priceCommand(*group, context, "round", "cena sprzedaży brutto zaokrąglona według reguły grupy towaru");
    round->add_option("PRODUCT-ID", options->productId, "identyfikator towaru (lTowarRef)")
        ->required()
        ->check(numberArgument<int>("Identyfikator towaru", 0, false));
    round->add_option("PRICE", options->sale, "cena sprzedaży brutto, do 2 miejsc po kropce")
        ->required()
        ->check(numberArgument<double>("Cena sprzedaży", Core::Price::iPrecision, false));
    round->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            const Product::Tools::ProductSalePriceRounder rounder(numberOf<int>(options->productId));
            out << Core::Price(rounder.roundSalePrice(numberOf<double>(options->sale))) << '\n';
        };
    });

    priceCommand(*group, context, "vat", "stawki VAT sklepu")->callback([&context] {
        context.job = [](std::ostream& out) { printVatRates(out); };
    });
    addPricesOfADayCommands(*group, context);
}

}  // namespace Towary::Host
