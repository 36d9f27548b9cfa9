#include "Modules/Towary/Tools/prices/CurrentSalePrice.h"

#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"

namespace Towary::ProductTools {
namespace {

struct DaysCondition {
    std::optional<double> salePrice;
    std::string alternativePrices;
};

// The first row only: the store keeps one condition a day, and a second
// would be an error of the headquarters, not the till's to resolve.
std::optional<DaysCondition> conditionOfDay(int productId, int day, TSessionHolder session) {
    DBKernel::Sql::PreparedQuery query(
        "select dCenaSprzed sale_price , alternative_prices from warsprz where ltowarref = :productId and "
        ":currentDate between dataod and datado",
        std::move(session));
    query.Params["productId"] = productId;
    query.Params["currentDate"] = day;
    query.execute();
    if (query.empty()) return std::nullopt;
    DaysCondition condition;
    if (!query["sale_price"].isNull()) condition.salePrice = query["sale_price"].asDouble();
    condition.alternativePrices = query["alternative_prices"].asString();
    query.close();
    return condition;
}

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
    auto price = getConditionSalePriceOfDay(productId, day, session);
    if (!price) price = getCurrentSalePrice(productId, session);
    return decimalFromDouble(price.value_or(0.0), 2, false);
}

}  // namespace Towary::ProductTools
