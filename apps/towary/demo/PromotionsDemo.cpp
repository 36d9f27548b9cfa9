// Prices of a day in the sample store: a product on promotion, with an
// ordinary price and a shorter promotion before it; the price it sells for
// today, its alternative prices, the previous price its label shows in
// three modes of the label setting, the lowest price of the 30 days before
// the promotion, the label's features, and the condition form's discount fields.

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/AlternativePriceManager.h"
#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"
#include "Modules/Towary/Tools/prices/DiscountMediator.h"
#include "Modules/Towary/Tools/prices/LowestPriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PromoFeatures.h"
#include "apps/towary/demo/Demo.h"

#include <boost/rational.hpp>

#include <ostream>
#include <string>

namespace Towary::Host::Demo {
namespace {

std::int64_t addPromotion(const TSessionHolder& session, const std::string& name) {
    DBKernel::Sql::Command insert("insert into promocja (lPromocjaRef, sNazwa, bLokalna) values (:id, :name, 1)",
                                  session);
    const auto id = DBKernel::RefPool::instance().getRef(session);
    insert.Params["id"] = id;
    insert.Params["name"] = name;
    insert.execute();
    return id;
}

void addCondition(const TSessionHolder& session, std::int64_t product, int from, int to, double price,
                  std::int64_t promotion, const std::string& alternatives = {}) {
    DBKernel::Sql::Command insert(
        "insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef, alternative_prices) "
        "values (:id, :product, :from, :to, :price, :promotion, :alternatives)",
        session);
    insert.Params["id"] = DBKernel::RefPool::instance().getRef(session);
    insert.Params["product"] = product;
    insert.Params["from"] = from;
    insert.Params["to"] = to;
    insert.Params["price"] = price;
    promotion ? void(insert.Params["promotion"] = promotion) : insert.Params["promotion"].clear();
    insert.Params["alternatives"] = alternatives;
    insert.execute();
}

void showMode(std::ostream& out, int productId, int mode, const char* what) {
    const auto price = Towar::getPriceBeforePromotion({}, productId, Core::DayNumber::today(), mode);
    out << "  tryb " << mode << " (" << what << "): "
        << (price ? price->previousPrice.toString() : std::string("brak ceny sprzed promocji")) << '\n';
}

}  // namespace

void promotions(std::ostream& out) {
    const int today = Core::DayNumber::today();
    DBKernel::Sql::PreparedQuery first("select lTowarRef, sNazwa from towar where byCode = 6 and nvl(bWieleCen, 0) = 0 and not "
                                       "exists (select 1 from warsprz w where w.lTowarRef = towar.lTowarRef) order by "
                                       "lTowarRef");
    first.execute();
    const auto product = first["lTowarRef"].asInt64();
    const auto name = first["sNazwa"].asString();
    first.close();
    {
        const auto session = TSessionHolder::open();
        DBKernel::TransactionGuard transaction(session);
        Tools::AlternativePriceManager alternatives;
        alternatives.addAlternativePrices(std::set<Core::Price>{8.49, 8.99});
        addCondition(session, product, today - 40, today - 8, 12.99, 0);
        addCondition(session, product, today - 7, today - 4, 11.49, addPromotion(session, "Tydzień marki"));
        addCondition(session, product, today - 2, today + 5, 9.99, addPromotion(session, "Jesienne obniżki"),
                     alternatives.generateXML(false));
        transaction.commit();
    }
    out << name << " (" << product << "): zwykła cena 12.99 do " << Core::DayNumber::toText(today - 8)
        << ", promocja 11.49 od " << Core::DayNumber::toText(today - 7) << " do " << Core::DayNumber::toText(today - 4)
        << ", dziś promocja 9.99 od " << Core::DayNumber::toText(today - 2) << " do "
        << Core::DayNumber::toText(today + 5) << ".\n";

    const auto price = Towary::ProductTools::getCurrentProductSalePrice(static_cast<int>(product), {});
    out << "Cena sprzedaży dziś (towary price current): " << Core::Price(boost::rational_cast<double>(price)) << '\n'
        << "Ceny alternatywne na kasie (towary price alternatives): "
        << Tools::AlternativePriceManager(
               Towary::ProductTools::getCurrentAdditionalSalePrices(static_cast<int>(product), {}))
               .getCharSeparatedAlternativePrices()
        << '\n';

    out << "Cena sprzed promocji (towary price before-promotion --mode N):\n";
    showMode(out, static_cast<int>(product), 1, "zwykła cena do dnia przed promocją");
    showMode(out, static_cast<int>(product), 4, "ostatnia droższa zwykła cena");
    showMode(out, static_cast<int>(product), 5, "ostatnia droższa cena, także promocyjna");

    const auto lowest = Towar::getLowestPricesBeforePromotion({}, today, static_cast<int>(product));
    out << "Najniższa cena z 30 dni przed promocją (towary price before-promotion --lowest-30): "
        << lowest.at(static_cast<int>(product)).lowestPrice << '\n';

    std::string features;
    if (const auto before = Towar::getPriceBeforePromotion({}, static_cast<int>(product), today, 4))
        Towar::appendPromoFeature(features, *before);
    out << "Cechy etykiety w trybie 4:\n  " << features << '\n';

    Core::VisualComponents::TextBox catalog("12,99"), final, discount("15");
    Warunek::LiczRabatCene::CMediator mediator(
        std::make_shared<Warunek::CEditValue>(catalog, 4), std::make_shared<Warunek::CEditValue>(final, 4),
        std::make_shared<Warunek::CEditValue>(discount, 2), std::make_shared<Warunek::CLiczCeneKatalogowaAlg>(),
        std::make_shared<Warunek::CLiczCeneKoncowaAlg>(), std::make_shared<Warunek::CLiczRabatAlg>());
    mediator.setMode(1);
    mediator.calcCenaKoncowa();
    out << "Cena katalogowa 12,99 z rabatem 15 % (towary price discount): cena końcowa " << final.text() << '\n';
}

}  // namespace Towary::Host::Demo
