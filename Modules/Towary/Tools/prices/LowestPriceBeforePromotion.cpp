#include "Modules/Towary/Tools/prices/LowestPriceBeforePromotion.h"

#include "Core/Database/Query.h"
#include "Core/Labels/Labels.h"

#include <algorithm>
#include <vector>

namespace Towar {
namespace {

constexpr int kDays = 30;

struct Promotion {
    int from = 0;
    int to = 0;
    std::optional<double> productPrice;
    // The price in force on each day of the window, the first day first; empty before a condition is seen.
    std::vector<std::optional<double>> days = std::vector<std::optional<double>>(kDays);
};

}  // namespace

std::map<int, LowestPriceBeforePromotion> getLowestPricesBeforePromotion(TSessionHolder session, int date,
                                                                         std::optional<int> productId) {
    const auto day = std::to_string(date);
    // Of a product's promotions valid on the day, the one that starts first (the
    // first by id of those starting together), with its own period: the 30 days
    // before it give the price. A condition whose product row is gone has
    // nothing to report.
    const std::string promotions =
        "select productId, dateFrom, dateTo, productPrice from (select ws.lTowarRef productId, ws.dataOd dateFrom, "
        "ws.dataDo dateTo, t.dCenaSprzed productPrice, row_number() over(partition by ws.lTowarRef order by "
        "ws.dataOd, ws.lWarSprzRef) lp from warsprz ws, towar t where t.lTowarRef = ws.lTowarRef and "
        "nvl(ws.byDeleted, 0) = 0 and nvl(ws.byBlokada, 0) = 0 and ws.dataOd <= " + day + " and ws.dataDo >= " + day +
        " and ws.lPromoRef is not null" + (productId ? " and ws.lTowarRef = " + std::to_string(*productId) : "") +
        ") firstPromotion where lp = 1";
    std::map<int, Promotion> found;
    {
        DBKernel::Sql::OpenedQuery query(promotions, session);
        while (query.next()) {
            auto& promotion = found[query["productId"].asInt()];
            promotion.from = query["dateFrom"].asInt();
            promotion.to = query["dateTo"].asInt();
            if (!query["productPrice"].isNull()) promotion.productPrice = query["productPrice"].asDouble();
        }
    }
    DBKernel::Sql::OpenedQuery conditions(
        "select p.productId, c.dataOd, c.dataDo, c.dCenaSprzed from (" + promotions +
            ") p, warsprz c where c.lTowarRef = p.productId and c.dataDo >= p.dateFrom - " + std::to_string(kDays) +
            " and c.dataOd < p.dateFrom and nvl(c.byDeleted, 0) = 0 and nvl(c.byBlokada, 0) = 0 "
            "order by p.productId, c.lWarSprzRef desc",
        session);
    // Read by id from the highest down, so that the first condition of a day is written last.
    while (conditions.next()) {
        auto& promotion = found.at(conditions["productId"].asInt());
        const int first = promotion.from - kDays;
        const int from = std::max(conditions["dataOd"].asInt(), first);
        const int to = std::min(conditions["dataDo"].asInt(), promotion.from - 1);
        // The store holds no condition without a price (warsprz.dCenaSprzed is not null).
        const double price = conditions["dCenaSprzed"].asDouble();
        for (int d = from; d <= to; ++d) promotion.days[static_cast<std::size_t>(d - first)] = price;
    }
    std::map<int, LowestPriceBeforePromotion> lowest;
    for (const auto& [id, promotion] : found) {
        std::optional<double> least;
        for (const auto& price : promotion.days) {
            const auto inForce = price ? price : promotion.productPrice;
            if (inForce && (!least || *inForce < *least)) least = inForce;
        }
        if (least) lowest.emplace(id, LowestPriceBeforePromotion{Core::Price(*least), promotion.from, promotion.to});
    }
    return lowest;
}

void appendLowestPriceFeature(std::string& features, const LowestPriceBeforePromotion& lowest) {
    if (!features.empty()) features += ", ";
    features += "\"Najnizsza_cena_30_dni\" = \"" + Labels::formatPrice(lowest.lowestPrice) + "\"";
}

}  // namespace Towar
