// towary price current, before-promotion, alternatives and discount: what a
// product sells for on a day, the prices before the promotions of a day (and
// their label features), the alternative prices of a sale condition, and the
// condition form's catalogue price, discount and final price.

#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/VisualComponents/TextField.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/AlternativePriceManager.h"
#include "Modules/Towary/Tools/prices/DiscountMediator.h"
#include "Modules/Towary/Tools/prices/LowestPriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PromoFeatures.h"
#include "apps/towary/Command.h"
#include "apps/towary/DayArgument.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/PriceOfADay.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/rational.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

struct Options {
    std::string product;
    std::string day;  // "" for today
    std::string mode;  // "" for the store's
    bool features = false;
    bool lowest30 = false;
    std::vector<std::string> add;
    std::string condition;  // "" for the one of the day
    std::string catalog, final, discount;  // "" when not given
};

TTowarPtr productOf(const std::string& product, const TSessionHolder& session) {
    return findProduct(product, session, "ceny podaje się dla towarów.");
}

int productIdOf(const std::string& product, const TSessionHolder& session) {
    return productOf(product, session)->GetTowarRef();
}

// The price as the store holds it, every digit of it ("1234567.89", not a stream's six).
std::string priceText(const std::optional<double>& price) {
    return price ? DBKernel::toString(DBKernel::ValueView(*price)) : "brak";
}

void showCurrent(const Options& options, std::ostream& out) {
    const auto session = TSessionHolder::open();
    const int day = dayOfArgument(options.day);
    const auto price = Products::priceOfADay(productIdOf(options.product, session), day, session);
    out << "Cena towaru: " << priceText(price.productPrice) << '\n'
        << "Cena warunku sprzedaży dnia " << Core::DayNumber::toText(day) << ": " << priceText(price.conditionPrice)
        << '\n'
        << "Ceny alternatywne: " << (price.alternativePrices.empty() ? "brak" : price.alternativePrices) << '\n'
        << "Cena sprzedaży: " << Core::Price(boost::rational_cast<double>(price.price)) << '\n';
}

void showLowest(const Options& options, std::ostream& out) {
    const auto session = TSessionHolder::open();
    const int day = dayOfArgument(options.day);
    const auto prices = Towar::getLowestPricesBeforePromotion(
        session, day,
        options.product.empty() ? std::nullopt : std::optional<int>(productIdOf(options.product, session)));
    if (prices.empty()) {
        out << "Brak towarów w promocji z ceną z 30 dni przed nią dnia " << Core::DayNumber::toText(day) << ".\n";
        return;
    }
    out << "Towar\tNajniższa cena 30 dni\tPromocja od\tPromocja do\n";
    for (const auto& [id, price] : prices) {
        out << id << '\t' << price.lowestPrice << '\t' << Core::DayNumber::toText(price.promotionDateFrom) << '\t'
            << Core::DayNumber::toText(price.promotionDateTo) << '\n';
        if (options.features) {
            std::string features;
            Towar::appendLowestPriceFeature(features, price);
            out << '\t' << features << '\n';
        }
    }
}

void showBeforePromotion(const Options& options, std::ostream& out) {
    if (options.lowest30) return showLowest(options, out);
    const auto session = TSessionHolder::open();
    const int day = dayOfArgument(options.day);
    const int mode = options.mode.empty() ? Label::PreviousPriceMode::fromSettings() : numberOf<int>(options.mode);
    Towar::PricesBeforePromotion prices;
    if (options.product.empty()) {
        prices = Towar::getPricesBeforePromotion(session, day, mode);
    } else {
        const int id = productIdOf(options.product, session);
        if (const auto price = Towar::getPriceBeforePromotion(session, id, day, mode)) prices.emplace(id, *price);
    }
    if (prices.empty()) {
        out << "Brak towarów z ceną sprzedaży sprzed promocji dnia " << Core::DayNumber::toText(day) << ".\n";
        return;
    }
    out << "Towar\tPoprzednia cena\tCena jednostkowa\tJednostka\tPromocja od\tPromocja do\n";
    for (const auto& [id, price] : prices) {
        out << id << '\t' << price.previousPrice << '\t' << price.unitPrice << '\t'
            << (price.labelMeasureUnit ? std::to_string(*price.labelMeasureUnit) : "-") << '\t'
            << Core::DayNumber::toText(price.promotionDateFrom) << '\t'
            << Core::DayNumber::toText(price.promotionDateTo) << '\n';
        if (options.features) {
            std::string features;
            Towar::appendPromoFeature(features, price);
            out << '\t' << features << '\n';
        }
    }
}

// The product's sale condition to edit: the one given, which must be the
// product's, else the one valid on the day. Of several valid on the day the
// tills read whichever the store returns first, so none is picked for the
// user: the alternative prices would go where the till may not read them.
std::int64_t conditionToEdit(int productId, const Options& options, const TSessionHolder& session) {
    if (!options.condition.empty()) {
        const auto id = numberOf<std::int64_t>(options.condition);
        DBKernel::Sql::PreparedQuery owner("select lTowarRef from warsprz where lWarSprzRef = :id", session);
        owner.Params["id"] = id;
        owner.execute();
        if (owner.empty() || owner["lTowarRef"].asInt64() != productId)
            throw std::runtime_error("Towar " + std::to_string(productId) + " nie ma warunku sprzedaży " +
                                     options.condition + ".");
        owner.close();
        return id;
    }
    const int day = dayOfArgument(options.day);
    DBKernel::Sql::PreparedQuery valid("select lWarSprzRef from warsprz where ltowarref = :productId and :day between "
                                       "dataod and datado order by lWarSprzRef",
                                       session);
    valid.Params["productId"] = productId;
    valid.Params["day"] = day;
    valid.execute();
    std::vector<std::int64_t> ids;
    while (valid.next()) ids.push_back(valid["lWarSprzRef"].asInt64());
    if (ids.empty())
        throw std::runtime_error("Towar " + std::to_string(productId) + " nie ma warunku sprzedaży ważnego dnia " +
                                 Core::DayNumber::toText(day) + ".");
    if (ids.size() > 1) {
        std::string listed;
        for (const auto id : ids) listed += (listed.empty() ? "" : ", ") + std::to_string(id);
        throw std::runtime_error("Towar " + std::to_string(productId) + " ma kilka warunków sprzedaży ważnych dnia " +
                                 Core::DayNumber::toText(day) + " (" + listed + "); wskaż jeden opcją --condition.");
    }
    return ids.front();
}

// The store's settings say which products a till may offer other prices for.
void checkAlternativesAllowed(int productId, const std::string& groupIndex) {
    if (!Tools::AlternativePriceManager::isAlternativePriceSupported())
        throw std::runtime_error("Sklep nie obsługuje wielu cen sprzedaży na kasie (ustawienie „Inne / Obsługa wielu "
                                 "cen sprzedaży na kasie”); cen alternatywnych nie dodaje się.");
    if (!Tools::AlternativePriceManager::isEnabledForGroup(groupIndex))
        throw std::runtime_error("Towar " + std::to_string(productId) + " z grupy " + groupIndex +
                                 " nie może mieć cen alternatywnych: grupy nie ma w ustawieniu „Inne / Obsługa wielu "
                                 "cen sprzedaży na kasie / Dozwolone dla grup towarowych”.");
}

void alternatives(const Options& options, std::ostream& out) {
    const auto session = TSessionHolder::open();
    DBKernel::TransactionGuard transaction(session);
    const auto product = productOf(options.product, session);
    const int id = product->GetTowarRef();
    if (!options.add.empty()) checkAlternativesAllowed(id, product->GetGrIndex());
    const auto condition = conditionToEdit(id, options, session);
    DBKernel::Sql::PreparedQuery stored("select alternative_prices from warsprz where lWarSprzRef = :id", session);
    stored.Params["id"] = condition;
    stored.execute();
    Tools::AlternativePriceManager prices(stored["alternative_prices"].asString());
    if (!options.add.empty()) {
        for (const auto& text : options.add) {
            const Core::Price price(numberOf<double>(text));
            // A sale price is above zero (as warsprz.dCenaSprzed is); a till offering 0.00 gives the product away.
            if (price <= Core::Price())
                throw std::runtime_error("Cena alternatywna \"" + text + "\" musi być większa od zera.");
            prices.addAlternativePrices(price);
        }
        DBKernel::Sql::Command update("update warsprz set alternative_prices = :xml where lWarSprzRef = :id", session);
        update.Params["xml"] = prices.generateXML(false);
        update.Params["id"] = condition;
        update.execute();
        transaction.commit();
    }
    const auto xml = prices.generateXML(false);
    out << "Warunek sprzedaży " << condition << ": "
        << (prices.getAlternativePrices().empty() ? "brak cen alternatywnych" : xml) << '\n';
}

void discount(const Options& options, std::ostream& out) {
    Core::VisualComponents::TextBox catalog(options.catalog), final(options.final), rate(options.discount);
    Warunek::LiczRabatCene::CMediator mediator(
        std::make_shared<Warunek::CEditValue>(catalog, 4), std::make_shared<Warunek::CEditValue>(final, 4),
        std::make_shared<Warunek::CEditValue>(rate, 2), std::make_shared<Warunek::CLiczCeneKatalogowaAlg>(),
        std::make_shared<Warunek::CLiczCeneKoncowaAlg>(), std::make_shared<Warunek::CLiczRabatAlg>());
    mediator.setMode(1);
    if (options.catalog.empty())
        mediator.calcCenaKatalogowa();
    else if (options.final.empty())
        mediator.calcCenaKoncowa();
    else
        mediator.calcRabat();
    // A discount of more than 100 % computes, but no condition sells below nothing.
    if (mediator.getCenaKatalogowa() < 0 || mediator.getCenaKoncowa() < 0)
        throw std::runtime_error("Cena katalogowa i cena końcowa nie mogą być ujemne; popraw cenę lub rabat.");
    out << "Cena katalogowa: " << catalog.text() << '\n'
        << "Rabat %: " << rate.text() << '\n'
        << "Cena końcowa: " << final.text() << '\n';
}

CLI::App* command(CLI::App& price, Context& context, const char* name, const char* description) {
    auto* made = price.add_subcommand(name, description);
    addStoreArgument(*made, context);
    return made;
}

void addDay(CLI::App& command, Options& options) {
    command.add_option("--day", options.day, "dzień, RRRR-MM-DD (domyślnie dziś)")->check(dayArgument());
}

}  // namespace

void addPricesOfADayCommands(CLI::App& price, Context& context) {
    auto options = std::make_shared<Options>();

    auto* current = command(price, context, "current", "za ile towar sprzedaje się danego dnia: jego cena, cena i "
                                                       "ceny alternatywne warunku sprzedaży, cena pobierana");
    current->add_option("PRODUCT", options->product, "towar: identyfikator albo / i jego indeks artykułu")->required();
    addDay(*current, *options);
    current->callback([&context, options] {
        context.job = [options](std::ostream& out) { showCurrent(*options, out); };
    });

    auto* before = command(price, context, "before-promotion",
                           "towary w promocji danego dnia z wyższą ceną sprzed niej i cechy ich etykiet");
    addDay(*before, *options);
    before->add_option("--mode", options->mode, "który wcześniejszy warunek się liczy, 1-5 (domyślnie według ustawienia sklepu)")
        ->check(numberArgument<int>("Tryb", 0, false, std::pair(1, 5)));
    before->add_option("--product", options->product, "tylko ten towar: identyfikator albo / i jego indeks artykułu");
    before->add_flag("--features", options->features, "także cechy promocyjne etykiety każdego towaru");
    before->add_flag("--lowest-30", options->lowest30,
                     "zamiast tego najniższa cena z 30 dni przed każdą promocją (przepisy o uwidacznianiu cen)")
        ->excludes("--mode");
    before->callback([&context, options] {
        context.job = [options](std::ostream& out) { showBeforePromotion(*options, out); };
    });

    auto* alternative = command(price, context, "alternatives",
                                "ceny alternatywne warunku sprzedaży towaru danego dnia, tak jak są zapisane (XML)");
    alternative->add_option("PRODUCT", options->product, "towar: identyfikator albo / i jego indeks artykułu")
        ->required();
    addDay(*alternative, *options);
    alternative->add_option("--condition", options->condition,
                            "ten warunek sprzedaży towaru (jego numer) zamiast warunku danego dnia")
        ->check(numberArgument<std::int64_t>("Warunek sprzedaży", 0, false))
        ->excludes("--day");
    alternative->add_option("--add", options->add, "dodaje te ceny do cen warunku, do 2 miejsc po kropce")
        ->check(numberArgument<double>("Cena alternatywna", Core::Price::iPrecision, false));
    alternative->callback([&context, options] {
        context.job = [options](std::ostream& out) { alternatives(*options, out); };
    });

    auto* mediator = command(price, context, "discount",
                             "z dwóch spośród ceny katalogowej, rabatu i ceny końcowej liczy trzecią");
    mediator->add_option("--catalog", options->catalog, "cena katalogowa (12.5 lub 12,5)");
    mediator->add_option("--final", options->final, "cena końcowa");
    mediator->add_option("--discount", options->discount, "rabat w procentach");
    mediator->callback([&context, options] {
        if (options->catalog.empty() + options->final.empty() + options->discount.empty() != 1)
            throw CLI::ValidationError("Podaj dokładnie dwie z trzech wartości --catalog, --final i --discount.");
        context.job = [options](std::ostream& out) { discount(*options, out); };
    });
}

}  // namespace Towary::Host
