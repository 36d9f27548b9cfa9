#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"

#include "Core/Database/Query.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <cassert>

namespace Label::PreviousPriceMode {

Value fromSettings() {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry sklepu", "Towary", "Etykiety", "Tryb wyświetlania poprzedniej ceny"})
        .GetVal<int>();
}

}  // namespace Label::PreviousPriceMode

namespace Towar {
namespace {

struct ModeConditions {
    bool dearer;
    bool adjoining;
    bool notPromotional;
};

std::optional<ModeConditions> conditionsOf(Label::PreviousPriceMode::Value mode) {
    switch (mode) {
        case 1: return ModeConditions{true, true, true};
        case 2: return ModeConditions{true, true, false};
        case 3: return ModeConditions{false, false, true};
        case 4: return ModeConditions{true, false, true};
        case 5: return ModeConditions{true, false, false};
        default: return std::nullopt;
    }
}

PricesBeforePromotion run(const TSessionHolder& session, const std::string& text) {
    PricesBeforePromotion prices;
    DBKernel::Sql::OpenedQuery query(text, session);
    while (query.next()) {
        PriceBeforePromotion price;
        price.previousPrice = query["previousPrice"].asPrice();
        price.unitPrice = query["unitPrice"].asPrice();
        price.promotionDateFrom = query["promotionalPriceDateFrom"].asInt();
        price.promotionDateTo = query["promotionalPriceDateTo"].asInt();
        if (!query["labelMeasureUnitId"].isNull()) price.labelMeasureUnit = query["labelMeasureUnitId"].asInt();
        prices.emplace(query["productId"].asInt(), price);
    }
    return prices;
}

}  // namespace

std::string priceBeforePromotionSql(int date, Label::PreviousPriceMode::Value mode, std::optional<int> productId) {
    const auto day = std::to_string(date);
    std::string text =
        "select * from (select t.lTowarRef productId, previousCondition.dCenaSprzed previousPrice, "
        "currentPromotionalCondition.price currentPrice, currentPromotionalCondition.dateFrom "
        "promotionalPriceDateFrom, currentPromotionalCondition.dateTo promotionalPriceDateTo, t.njmprzelicznik "
        "labelMeasureUnitId, previousCondition.dCenaSprzed / decode(t.dPrzelicznik, null, 1, 0, 1, t.dPrzelicznik) "
        "unitPrice, row_number() over(partition by currentPromotionalCondition.productId order by "
        "previousCondition.dataDo desc) lp from (select ws.lTowarRef productId, ws.dataOd dateFrom, ws.dataDo "
        "dateTo, ws.dCenaSprzed price from warsprz ws where nvl(ws.byDeleted, 0) = 0 and nvl(ws.byBlokada, 0) = 0 "
        "and ws.dataOd <= " +
        day + " and ws.dataDo >= " + day + " and ws.lPromoRef is not null";
    if (productId) text += " and ws.lTowarRef = " + std::to_string(*productId);
    text +=
        ") currentPromotionalCondition, warsprz previousCondition, towar t where previousCondition.dataDo < "
        "currentPromotionalCondition.dateFrom and previousCondition.lTowarRef = currentPromotionalCondition.productId "
        "and t.lTowarRef = currentPromotionalCondition.productId";
    if (const auto conditions = conditionsOf(mode)) {
        if (conditions->dearer) text += " and previousCondition.dCenaSprzed > currentPromotionalCondition.price";
        if (conditions->adjoining)
            text += " and (previousCondition.dataDo + 1) = currentPromotionalCondition.dateFrom";
        if (conditions->notPromotional) text += " and previousCondition.lPromoRef is null";
    }
    text += ") where lp = 1 and previousPrice > currentPrice";
    return "select * from (" + text + ")";
}

PricesBeforePromotion getPricesBeforePromotion(TSessionHolder session, int date, Label::PreviousPriceMode::Value mode) {
    return run(session, priceBeforePromotionSql(date, mode));
}

PricesBeforePromotion getPricesBeforePromotion(TSessionHolder session, int date) {
    return getPricesBeforePromotion(std::move(session), date, Label::PreviousPriceMode::fromSettings());
}

std::optional<PriceBeforePromotion> getPriceBeforePromotion(TSessionHolder session, int productId, int date,
                                                            Label::PreviousPriceMode::Value mode) {
    const auto prices = run(session, priceBeforePromotionSql(date, mode, productId));
    if (prices.empty()) return std::nullopt;
    // The statement's partition gives a product one row at most.
    assert(prices.size() == 1);
    return prices.begin()->second;
}

std::optional<PriceBeforePromotion> getOptPriceBeforePromotion(TSessionHolder session, int productId, int date) {
    return getPriceBeforePromotion(std::move(session), productId, date, Label::PreviousPriceMode::fromSettings());
}

}  // namespace Towar
