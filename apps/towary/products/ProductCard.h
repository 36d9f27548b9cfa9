#pragma once
// A product's card as data, read on one session for the hosts to lay out
// (the web host serialises it): where the product stands in the hierarchy,
// its codes, VAT, prices of today, multi-price ware, quantities, scale number
// and planned status changes, each as the terminal's command for it gives
// it; and its sale price day by day. Amounts are the Core exact types.

#include "Core/Database/TSessionHolder.h"
#include "Core/Price/Price.h"
#include "Core/tools/Tls_Decimal.h"
#include "Modules/Towary/Tools/prices/LowestPriceBeforePromotion.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"
#include "apps/towary/products/MultipriceShow.h"

#include <optional>
#include <string>
#include <vector>

namespace Towary::Host::Products {

struct ProductCard {
    struct Group {
        std::string index;  // sGrIndex of the group row
        std::string name;
    };
    struct Code {
        std::string code;
        int status = 0;  // 1, 2 live; 3 deleted
    };
    struct Vat {
        int code = 0;                       // byVAT
        std::string name;                   // as the store's list names it ("23%", "zw."); "<nieznana>" off the list
        std::optional<Core::Decimal> rate;  // a fraction, 23/100 for 23 %; none off the list
    };
    // What the product sells for today, as towary price current gives it.
    struct TodaysPrice {
        enum class Source { none, product, condition };
        Core::Price price;  // charged: the condition's, else the product's, else 0
        Source source = Source::none;
        std::optional<Core::Price> productPrice;
        std::optional<Core::Price> conditionPrice;  // of the sale condition valid today
        std::vector<Core::Price> alternativePrices;  // that condition's, ascending
    };
    struct Quantities {
        Core::Quantity stock;
        Core::Quantity reserved;     // by every open document
        Core::Quantity inComplaint;  // the store's own units in complaint handling
    };
    struct PlannedStatus {
        int day = 0;  // a day number
        int status = 0;
        std::string statusName;  // "<nieznany>" for a status off the store's list
    };

    int id = 0;
    std::string name;
    std::string articleIndex;  // sArtIndex
    std::string groupIndex;    // sGrIndex
    std::vector<Group> path;   // the group rows above the product, top level first
    std::vector<Code> liveCodes;
    std::vector<Code> deletedCodes;
    std::optional<Vat> vat;  // none when the product has no VAT code
    TodaysPrice today;
    // In the store's mode ("Tryb wyświetlania poprzedniej ceny"); none unless a promotion runs today.
    std::optional<Towar::PriceBeforePromotion> priceBeforePromotion;
    std::optional<Towar::LowestPriceBeforePromotion> lowestPriceBeforePromotion;
    std::optional<MultiPriceWare> multiPrice;  // none for a product outside multi-price wares
    Quantities quantities;
    int scaleSection = 0;  // 0: none
    std::optional<int> scaleNumber;
    std::vector<PlannedStatus> plannedStatuses;  // not applied, today or later, by day
};

// The card of the product of that id. Throws std::runtime_error in Polish for
// an id of no row and for a group row. Reads the settings (the previous-price
// mode, the XML parser) and the host's lists of VAT rates and activity
// statuses, which must be registered.
ProductCard readProductCard(int productRef, const TSessionHolder& session);

struct PriceHistoryDay {
    int day = 0;  // a day number
    Core::Price price;
    bool promotion = false;  // a sale condition set the price
    Core::Price lowest30;    // the lowest price of the 30 days before the day
};

// The days the card's price history covers.
inline constexpr int kCardHistoryDays = 90;

// The product's price on each of the `days` days ending with lastDay, first
// day first, by the rule of today's price (getProductSalePricesOfDays: every
// sale condition counts, deleted and blocked ones too, as the tills read
// them); read in a few statements whatever the number of days. Refuses, as
// readProductCard does, an id that is no product's, and fewer than one day.
std::vector<PriceHistoryDay> priceHistory(int productRef, int lastDay, int days, const TSessionHolder& session);

}  // namespace Towary::Host::Products
