#include "apps/towary/products/ProductCard.h"

#include "Core/Database/Query.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"
#include "Modules/Towary/Tools/prices/AlternativePriceManager.h"
#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"
#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"
#include "apps/towary/products/PriceOfADay.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/rational.hpp>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace Towary::Host::Products {
namespace {

constexpr int kLowestPriceDays = 30;

TTowarPtr cardProduct(int productRef, const TSessionHolder& session) {
    return findProduct(std::to_string(productRef), session, "kartę ma tylko towar, nie grupa.");
}

Core::Price cardPrice(const Core::Decimal& price) { return Core::Price(boost::rational_cast<double>(price)); }

// A group index cut against the store's level lengths; an index that does
// not fit them still shows the levels that do.
std::vector<ProductCard::Group> groupPath(const std::string& groupIndex, const TSessionHolder& session) {
    Towar::GroupIndexSplitter::Parts ancestors;
    Towar::GroupIndexSplitter().incSplit(groupIndex, ancestors);
    if (ancestors.empty()) return {};
    std::string list;
    for (std::size_t i = 0; i < ancestors.size(); ++i) list += (i ? ", :g" : ":g") + std::to_string(i);
    DBKernel::Sql::PreparedQuery groups(
        "select sGrIndex, sNazwa from towar where byCode between 1 and 5 and sGrIndex in (" + list + ")", session);
    for (std::size_t i = 0; i < ancestors.size(); ++i) groups.Params["g" + std::to_string(i)] = ancestors[i];
    groups.execute();
    std::map<std::string, std::string> names;
    while (groups.next()) names.emplace(groups["sGrIndex"].asString(), groups["sNazwa"].asString());
    std::vector<ProductCard::Group> path;
    for (const auto& index : ancestors)
        if (const auto found = names.find(index); found != names.end()) path.push_back({index, found->second});
    return path;
}

void readCodes(ProductCard& card, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU, byStatus from plu where lTowarRef = :id and byStatus in (1, 2, 3) order by lPluRef", session);
    codes.Params["id"] = card.id;
    codes.execute();
    while (codes.next()) {
        ProductCard::Code code{codes["sPLU"].asString(), codes["byStatus"].asInt()};
        (code.status == 3 ? card.deletedCodes : card.liveCodes).push_back(std::move(code));
    }
}

ProductCard::Vat vatOf(int code) {
    const auto& rates = Core::SingletonImplHolder::get<Vat::AvailVatRates>().getAllVatRates();
    const auto rate = std::find_if(rates.begin(), rates.end(), [code](const auto& r) { return r.code() == code; });
    if (rate == rates.end()) return {code, "<nieznana>", std::nullopt};
    // Rates are whole percents or tenths of one: four places hold them exactly.
    return {code, rate->name(), decimalFromDouble(rate->value(), 4, false)};
}

ProductCard::TodaysPrice todaysPrice(int productId, const TSessionHolder& session) {
    const auto day = priceOfADay(productId, Core::DayNumber::today(), session);
    ProductCard::TodaysPrice today;
    today.price = cardPrice(day.price);
    if (day.productPrice) today.productPrice = Core::Price(*day.productPrice);
    if (day.conditionPrice) today.conditionPrice = Core::Price(*day.conditionPrice);
    using Source = ProductCard::TodaysPrice::Source;
    today.source = day.conditionPrice ? Source::condition : day.productPrice ? Source::product : Source::none;
    const Tools::AlternativePriceManager alternatives(day.alternativePrices);
    today.alternativePrices.assign(alternatives.getAlternativePrices().begin(),
                                   alternatives.getAlternativePrices().end());
    return today;
}

ProductCard::Quantities quantitiesOf(int productId, const TSessionHolder& session) {
    return {Core::Quantity(Towar::calcStock(productId, session)),
            Core::Quantity(Towar::calcReserved(productId, 0, session)),
            Core::Quantity(Towar::calcInService(productId, session))};
}

std::vector<ProductCard::PlannedStatus> plannedStatusesOf(int productId, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery planned(
        "select changedate, status from StatusChange where productid = :product and nvl(applied, 0) = 0 and "
        "changedate >= :today order by changedate",
        session);
    planned.Params["product"] = productId;
    planned.Params["today"] = Core::DayNumber::today();
    planned.execute();
    std::vector<ProductCard::PlannedStatus> changes;
    while (planned.next()) {
        const int status = planned["status"].asInt();
        changes.push_back({planned["changedate"].asInt(), status, Towary::ProductTools::StatusChangeBrowser::statusName(status)});
    }
    return changes;
}

}  // namespace

ProductCard readProductCard(int productRef, const TSessionHolder& session) {
    const auto product = cardProduct(productRef, session);
    ProductCard card;
    card.id = product->GetTowarRef();
    card.name = product->GetNazwa();
    card.articleIndex = product->GetArtIndex();
    card.groupIndex = product->GetGrIndex();
    card.path = groupPath(card.groupIndex, session);
    readCodes(card, session);
    if (!product->IsNullVAT()) card.vat = vatOf(product->GetVAT());
    card.today = todaysPrice(card.id, session);
    const int today = Core::DayNumber::today();
    card.priceBeforePromotion =
        Towar::getPriceBeforePromotion(session, card.id, today, Label::PreviousPriceMode::fromSettings());
    if (const auto lowest = Towar::getLowestPricesBeforePromotion(session, today, card.id); !lowest.empty())
        card.lowestPriceBeforePromotion = lowest.begin()->second;
    card.multiPrice = multiPriceWareOf(*product, session);
    card.quantities = quantitiesOf(card.id, session);
    card.scaleSection = product->GetWagaSekcja();
    if (!product->IsNullWagaPLU()) card.scaleNumber = product->GetWagaPLU();
    card.plannedStatuses = plannedStatusesOf(card.id, session);
    return card;
}

std::vector<PriceHistoryDay> priceHistory(int productRef, int lastDay, int days, const TSessionHolder& session) {
    if (days < 1) throw std::runtime_error("Historia cen obejmuje co najmniej jeden dzień; podano " +
                                           std::to_string(days) + ".");
    const int id = cardProduct(productRef, session)->GetTowarRef();
    // The lowest price of a day looks 30 days back, so the prices start 30 days before the first day shown.
    const int firstDay = lastDay - days + 1;
    const auto prices =
        Towary::ProductTools::getProductSalePricesOfDays(id, firstDay - kLowestPriceDays, lastDay, session);
    std::vector<PriceHistoryDay> history;
    history.reserve(static_cast<std::size_t>(days));
    for (int i = 0; i < days; ++i) {
        const auto day = prices.begin() + kLowestPriceDays + i;
        const auto lowest = std::min_element(day - kLowestPriceDays, day, [](const auto& a, const auto& b) {
            return a.price < b.price;
        });
        history.push_back({firstDay + i, cardPrice(day->price), day->fromCondition, cardPrice(lowest->price)});
    }
    return history;
}

}  // namespace Towary::Host::Products
