#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"

#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"

#include <algorithm>

namespace Towary::ProductTools {
namespace {

struct DaysCondition {
    std::optional<double> salePrice;
    std::string alternativePrices;
};

// The condition in force on each day from firstDay to lastDay, the first
// day first. Of conditions valid together the first by id counts: the store
// keeps one condition a day, and a second would be an error of the
// headquarters, not the till's to resolve.
std::vector<std::optional<DaysCondition>> conditionsOfDays(int productId, int firstDay, int lastDay,
                                                           TSessionHolder session) {
    std::vector<std::optional<DaysCondition>> days(
        static_cast<std::size_t>(std::max(lastDay - firstDay + 1, 0)));
    if (days.empty()) return days;
    DBKernel::Sql::PreparedQuery query(
        "select dataOd, dataDo, dCenaSprzed sale_price, alternative_prices from warsprz where ltowarref = "
        ":productId and dataDo >= :firstDay and dataOd <= :lastDay order by lWarSprzRef desc",
        std::move(session));
    query.Params["productId"] = productId;
    query.Params["firstDay"] = firstDay;
    query.Params["lastDay"] = lastDay;
    query.execute();
    // Read from the highest id down, so that the first condition of a day is written last.
    while (query.next()) {
        DaysCondition condition;
        if (!query["sale_price"].isNull()) condition.salePrice = query["sale_price"].asDouble();
        condition.alternativePrices = query["alternative_prices"].asString();
        const int from = std::max(query["dataOd"].asInt(), firstDay);
        const int to = std::min(query["dataDo"].asInt(), lastDay);
        for (int day = from; day <= to; ++day) days[static_cast<std::size_t>(day - firstDay)] = condition;
    }
    return days;
}

std::optional<DaysCondition> conditionOfDay(int productId, int day, TSessionHolder session) {
    return conditionsOfDays(productId, day, day, std::move(session)).front();
}

Core::Decimal chargedPrice(std::optional<double> price) { return decimalFromDouble(price.value_or(0.0), 2, false); }

}  // namespace

std::optional<double> getCurrentSalePrice(int productId, TSessionHolder session) {
    DBKernel::Sql::PreparedQuery query("select dCenaSprzed as salePrice from towar where lTowarRef = :productId",
                                       std::move(session));
    query.Params["productId"] = productId;
    query.execute();
    if (query.empty() || query["salePrice"].isNull()) return std::nullopt;
    return query["salePrice"].asDouble();
}

std::optional<double> getCurrentConditionSalePrice(int productId, TSessionHolder session) {
    return getConditionSalePriceOfDay(productId, Core::DayNumber::today(), std::move(session));
}

std::string getCurrentAdditionalSalePrices(int productId, TSessionHolder session) {
    return getAdditionalSalePricesOfDay(productId, Core::DayNumber::today(), std::move(session));
}

Core::Decimal getCurrentProductSalePrice(int productId, TSessionHolder session) {
    return getProductSalePriceOfDay(productId, Core::DayNumber::today(), std::move(session));
}

std::optional<double> getConditionSalePriceOfDay(int productId, int day, TSessionHolder session) {
    const auto condition = conditionOfDay(productId, day, std::move(session));
    return condition ? condition->salePrice : std::nullopt;
}

std::string getAdditionalSalePricesOfDay(int productId, int day, TSessionHolder session) {
    const auto condition = conditionOfDay(productId, day, std::move(session));
    return condition ? condition->alternativePrices : std::string();
}

Core::Decimal getProductSalePriceOfDay(int productId, int day, TSessionHolder session) {
    return getProductSalePricesOfDays(productId, day, day, std::move(session)).front().price;
}

std::vector<SalePriceOfDay> getProductSalePricesOfDays(int productId, int firstDay, int lastDay,
                                                       TSessionHolder session) {
    const auto conditions = conditionsOfDays(productId, firstDay, lastDay, session);
    std::vector<SalePriceOfDay> prices;
    prices.reserve(conditions.size());
    std::optional<std::optional<double>> ownPrice;  // read once, on the first day without a condition price
    for (const auto& condition : conditions) {
        if (condition && condition->salePrice) {
            prices.push_back({chargedPrice(condition->salePrice), true});
            continue;
        }
        if (!ownPrice) ownPrice = getCurrentSalePrice(productId, session);
        prices.push_back({chargedPrice(*ownPrice), false});
    }
    return prices;
}

}  // namespace Towary::ProductTools
