// towary rules ...: what the store may add and edit under headquarters'
// rules, answered by the module's checkers from the settings as they are now.
//   sale-adding DIR [PRODUCT]            a local sale condition (for a product)
//   discount-adding DIR KIND [PRODUCT]   a discount of a kind (automatic, pieces)
//   duration DIR sale|purchase [--company ID]
//   max-end DIR START [--company ID]     the latest end day of a new condition
//   date-lock DIR sale|purchase [INDEX]  the date range of a condition locked
//   hq-promotion-overlap DIR PRODUCT FROM TO
//   list DIR                             every rule with the setting it comes from

#include "Core/Setup/Key.h"
#include "Core/UserMessage.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/conditions/ConditionsEditionChecker.h"
#include "Modules/Towary/Tools/conditions/DiscountEditionChecker.h"
#include "apps/towary/ChoiceArgument.h"
#include "apps/towary/Command.h"
#include "apps/towary/DayArgument.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/ProductArgument.h"

#include <functional>
#include <stdexcept>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

using Towary::ProductTools::ConditionsEditionChecker;
using Towary::ProductTools::ConditionType;
using Towary::ProductTools::DiscountEditionChecker;

const char* yesNo(bool answer) { return answer ? "tak" : "nie"; }

const std::map<std::string, ConditionType> kConditionTypes = {{"sale", ProductTools::Sale},
                                                               {"purchase", ProductTools::Purchase}};
const std::map<std::string, AutomaticDiscounts::Kind> kDiscountKinds = {
    {"automatic", AutomaticDiscounts::Automatic}, {"pieces", AutomaticDiscounts::SelectedPieces}};

std::string typeWords(ConditionType type) { return type == ProductTools::Sale ? "sprzedaży" : "zakupu"; }

std::string daysText(const boost::optional<int>& days) {
    return days ? std::to_string(*days) + " dni" : "nie obowiązuje";
}

std::string endText(unsigned int day) {
    return day == Core::DayNumber::noEndDate ? "bez końca (" + Core::DayNumber::toText(day) + ")"
                                             : Core::DayNumber::toText(day);
}

// The product the argument names, for a question about it: "towaru ID (/INDEX)".
std::string productWords(const TTowar& product) {
    return "towaru " + std::to_string(product.GetTowarRef()) + " (/" + product.GetArtIndex() + ")";
}

TTowarPtr questionProduct(const std::string& argument) {
    return findProduct(argument, TSessionHolder(), "zasady dotyczą towarów, nie grup.");
}

// One rule of `towary rules list`: what it says, the setting it comes from, its current value.
struct Rule {
    std::string description;
    std::vector<std::string> path;
    std::function<std::string()> value;
};

std::vector<Rule> rules(ConditionsEditionChecker& conditions, DiscountEditionChecker& discounts) {
    const std::vector<std::string> saleEdition = {"Parametry sklepu", "Towary", "Warunki", "Sprzedaży", "Edycja"};
    const auto edition = [&](const std::string& name) {
        auto path = saleEdition;
        path.push_back(name);
        return path;
    };
    const auto period = [](ConditionType type, std::vector<std::string> more) {
        std::vector<std::string> path = {"Parametry sklepu", "Towary", "Warunki",
                                         ConditionsEditionChecker::getSetupKeyName(type), "Edycja",
                                         "Domyślny okres obowiązywania warunku"};
        path.insert(path.end(), more.begin(), more.end());
        return path;
    };
    const auto discountLock = [](AutomaticDiscounts::Kind kind) {
        return std::vector<std::string>{"Parametry programu", "Towary", "Przeceny",
                                        DiscountEditionChecker::getSetupKeyName(kind), "Blokada dodawania przecen"};
    };
    const auto flag = [&conditions](bool (ConditionsEditionChecker::*rule)()) {
        return [&conditions, rule] { return std::string(yesNo((conditions.*rule)())); };
    };
    std::vector<Rule> all = {
        {"Dodawanie lokalnych warunków sprzedaży", edition("Blokada dodawania lokalnych warunków sprzedaży"),
         [&] { return std::string(yesNo(conditions.localSaleConditionAdding())); }},
    };
    for (const auto& [name, kind] : kDiscountKinds)
        all.push_back({"Dodawanie przecen: " + DiscountEditionChecker::getSetupKeyName(kind), discountLock(kind),
                       [&discounts, kind = kind] { return std::string(yesNo(discounts.discountAdding(kind))); }});
    for (const auto type : {ProductTools::Sale, ProductTools::Purchase}) {
        all.push_back({"Domyślny okres warunku " + typeWords(type), period(type, {"Liczba dni"}),
                       [&conditions, type] { return daysText(conditions.getDefaultConditionDurationDays(type)); }});
        all.push_back({"Blokada edycji zakresu dat warunku " + typeWords(type),
                       period(type, {"Blokada edycji zakresu datowego"}),
                       [&conditions, type] { return std::string(yesNo(conditions.isDateRangeEditionLocked(type))); }});
    }
    all.push_back({"Blokada edycji warunku centralowego promocyjnego",
                   edition("Blokada edycji warunku centralowego promocyjnego"),
                   flag(&ConditionsEditionChecker::isHQSalePromotionConditionEditionLocked)});
    all.push_back({"Blokada edycji rozpoczętego warunku centralowego promocyjnego",
                   edition("Blokada edycji rozpoczętego warunku centralowego promocyjnego"),
                   flag(&ConditionsEditionChecker::isHQCurrentSalePromotionConditionEditionLocked)});
    all.push_back({"Edycja warunku centralowego promocyjnego",
                   edition("Dopuszczalna edycja warunku centralowego promocyjnego"),
                   flag(&ConditionsEditionChecker::HQSalePromotionConditionEditable)});
    all.push_back({"Edycja warunku centralowego", edition("Dopuszczalna edycja warunku centralowego"),
                   flag(&ConditionsEditionChecker::HQSaleConditionEditable)});
    all.push_back({"Cena warunku centralowego tylko poniżej sugerowanej",
                   edition("Dozwolona zmiana ceny warunku centralowego tylko poniżej ceny sugerowanej"),
                   flag(&ConditionsEditionChecker::allowPriceChangeOnlyBelowSuggestedForHQSaleCondition)});
    all.push_back({"Warunek centralowy promocyjny: tylko zmiana ceny",
                   edition("Warunek centralowy promocyjny - tylko zmiana ceny"),
                   flag(&ConditionsEditionChecker::allowOnlyPriceChangeForHqPromotionCondition)});
    all.push_back({"Ręczna edycja warunków towarów wielocenowych",
                   edition("Dozwolona ręczna edycja warunków dla towarów wielocenowych"),
                   [&conditions] { return std::string(yesNo(conditions.multiPriceProductSaleConditionEditable())); }});
    return all;
}

}  // namespace

void addRulesCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::string product;
        std::string kind;
        std::string type;
        std::string company;
        std::string start;
        std::string index;
        std::string from;
        std::string to;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* group = app.add_subcommand("rules", "co sklep może dodawać i edytować według reguł centrali");
    group->require_subcommand(1);
    const auto types = choiceArgument("Rodzaj warunku", {"sale", "purchase"});
    const auto company = [&arguments](CLI::App& command) {
        command.add_option("--company", arguments->company, "identyfikator firmy dostawcy")
            ->check(numberArgument<int>("Identyfikator firmy", 0, false));
    };
    const auto companyOf = [arguments]() -> boost::optional<int> {
        if (arguments->company.empty()) return boost::none;
        return numberOf<int>(arguments->company);
    };

    auto* saleAdding = group->add_subcommand("sale-adding", "czy można dodać lokalny warunek sprzedaży (dla towaru PRODUCT)");
    addStoreArgument(*saleAdding, context);
    saleAdding->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu");
    saleAdding->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            ConditionsEditionChecker checker;
            if (arguments->product.empty()) {
                const bool allowed = checker.localSaleConditionAdding();
                out << "Dodawanie lokalnych warunków sprzedaży: " << yesNo(allowed) << '\n';
                return;
            }
            const auto product = questionProduct(arguments->product);
            const bool allowed = checker.localSaleConditionAdding(product.get());
            out << "Dodawanie lokalnego warunku sprzedaży " << productWords(*product) << ": " << yesNo(allowed) << '\n';
        };
    });

    auto* discountAdding = group->add_subcommand("discount-adding", "czy można dodać przecenę rodzaju KIND (dla towaru PRODUCT)");
    addStoreArgument(*discountAdding, context);
    discountAdding->add_option("KIND", arguments->kind, "automatic (automatyczna) albo pieces (ilościowa)")
        ->required()
        ->check(choiceArgument("Rodzaj przeceny", {"automatic", "pieces"}));
    discountAdding->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu");
    discountAdding->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const auto kind = kDiscountKinds.at(arguments->kind);
            DiscountEditionChecker checker(kind);
            const std::string question = "Dodawanie przecen (" + DiscountEditionChecker::getSetupKeyName(kind) + ")";
            if (arguments->product.empty()) {
                const bool allowed = checker.discountAdding(kind);
                out << question << ": " << yesNo(allowed) << '\n';
                return;
            }
            const auto product = questionProduct(arguments->product);
            const bool allowed = checker.discountAdding(kind, product.get());
            out << question << " " << productWords(*product) << ": " << yesNo(allowed) << '\n';
        };
    });

    auto* duration = group->add_subcommand("duration", "domyślny okres obowiązywania nowego warunku");
    addStoreArgument(*duration, context);
    duration->add_option("TYPE", arguments->type, "sale (sprzedaży) albo purchase (zakupu)")->required()->check(types);
    company(*duration);
    duration->callback([&context, arguments, companyOf] {
        context.job = [arguments, companyOf](std::ostream& out) {
            const auto type = kConditionTypes.at(arguments->type);
            const auto firm = companyOf();
            if (firm && type == ProductTools::Sale)
                throw std::runtime_error("Firma (--company) wyznacza tylko okres warunku zakupu.");
            ConditionsEditionChecker checker;
            const auto days = type == ProductTools::Sale ? checker.getDefaultConditionDurationDays(type)
                                                         : checker.getPurchaseConditionDurationDays(firm);
            out << "Domyślny okres warunku " << typeWords(type)
                << (firm ? " (firma " + std::to_string(*firm) + ")" : "") << ": " << daysText(days) << '\n';
        };
    });

    auto* maxEnd = group->add_subcommand("max-end", "najpóźniejszy dzień końca warunku, który zaczyna się dnia START");
    addStoreArgument(*maxEnd, context);
    maxEnd->add_option("START", arguments->start, "pierwszy dzień, RRRR-MM-DD")->required()->check(dayArgument());
    company(*maxEnd);
    maxEnd->callback([&context, arguments, companyOf] {
        context.job = [arguments, companyOf](std::ostream& out) {
            const int first = Core::DayNumber::fromText(arguments->start);
            // Condition days are unsigned: a day before the first one would wrap round.
            if (first < 0)
                throw std::runtime_error("Dzień początku warunku " + arguments->start +
                                         " jest wcześniejszy niż 1899-12-30, od którego liczy się dni warunków.");
            const auto start = static_cast<unsigned int>(first);
            ConditionsEditionChecker checker;
            const auto firm = companyOf();
            // Without a company the form asks the one-argument question, which
            // gives no end unless both default periods are set.
            const unsigned int end = firm ? checker.getMaxSaleAndPurchaseEndDate(start, firm)
                                          : checker.getMaxSaleAndPurchaseEndDate(start);
            out << "Najpóźniejszy koniec warunku od " << arguments->start
                << (firm ? " (firma " + std::to_string(*firm) + ")" : "") << ": " << endText(end) << '\n';
        };
    });

    auto* dateLock = group->add_subcommand("date-lock", "czy zakres dat warunku jest zablokowany (dla indeksu INDEX)");
    addStoreArgument(*dateLock, context);
    dateLock->add_option("TYPE", arguments->type, "sale (sprzedaży) albo purchase (zakupu)")->required()->check(types);
    dateLock->add_option("INDEX", arguments->index, "indeks artykułu");
    dateLock->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const auto type = kConditionTypes.at(arguments->type);
            ConditionsEditionChecker checker;
            const std::string question = "Blokada edycji zakresu dat warunku " + typeWords(type);
            if (arguments->index.empty()) {
                const bool locked = checker.isDateRangeEditionLocked(type);
                out << question << ": " << yesNo(locked) << '\n';
                return;
            }
            const bool locked = checker.isDateRangeEditionLocked(type, arguments->index);
            out << question << " towaru o indeksie " << arguments->index << ": " << yesNo(locked) << '\n';
        };
    });

    auto* overlap = group->add_subcommand(
        "hq-promotion-overlap", "czy towar PRODUCT ma zablokowany warunek promocji centralowej między FROM a TO");
    addStoreArgument(*overlap, context);
    overlap->add_option("PRODUCT", arguments->product, "identyfikator towaru albo / i jego indeks artykułu")->required();
    overlap->add_option("FROM", arguments->from, "pierwszy dzień, RRRR-MM-DD")->required()->check(dayArgument());
    overlap->add_option("TO", arguments->to, "ostatni dzień, RRRR-MM-DD")->required()->check(dayArgument());
    overlap->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            const int from = Core::DayNumber::fromText(arguments->from);
            const int to = Core::DayNumber::fromText(arguments->to);
            // Days the wrong way round meet no condition: the answer would be "nie" for a typing mistake.
            if (from > to)
                throw std::runtime_error("Dzień początku " + arguments->from + " jest późniejszy niż dzień końca " +
                                         arguments->to + ".");
            const auto product = questionProduct(arguments->product);
            ConditionsEditionChecker checker;
            const bool overlaps = checker.isInOtherHQSalePromotionConditionDateRange(product->GetTowarRef(), from, to);
            out << "Zablokowany warunek promocji centralowej " << productWords(*product) << " w dniach "
                << arguments->from << " - " << arguments->to << ": " << yesNo(overlaps) << '\n';
        };
    });

    auto* list = group->add_subcommand("list", "bieżąca wartość każdej reguły i ustawienie, z którego pochodzi");
    addStoreArgument(*list, context);
    list->callback([&context] {
        context.job = [](std::ostream& out) {
            ConditionsEditionChecker conditions;
            DiscountEditionChecker discounts(AutomaticDiscounts::Automatic);
            // A mistyped setting is one rule's error: the others are still listed.
            int failed = 0;
            for (const auto& rule : rules(conditions, discounts)) {
                std::string value;
                try {
                    value = rule.value();
                } catch (const std::exception& e) {
                    value = "błąd: " + Core::userMessage(e);
                    ++failed;
                }
                out << rule.description << ": " << value << "\n    " << Orvel::pathText(rule.path) << '\n';
            }
            if (failed > 0)
                throw std::runtime_error("Nie odczytano zasad: " + std::to_string(failed) + " (błędy wyżej).");
        };
    });
}

}  // namespace Towary::Host
