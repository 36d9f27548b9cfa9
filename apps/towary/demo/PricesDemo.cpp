// Sale prices of the sample store: the VAT rates, a sale price from a
// purchase price and a margin, its margin back, the margin ceiling, and the
// rounding rules of the sample settings applied to the demo's products.

#include "Core/Database/Query.h"
#include "Core/Price/Price.h"
#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/ProductSalePriceRounder.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "apps/towary/PriceReports.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>
#include <string>

namespace Towary::Host::Demo {
namespace {

constexpr double kPurchase = 24.4999;
constexpr double kMargin = 25;
constexpr int kFoodVat = 12;  // 8 %

}  // namespace

void prices(std::ostream& out) {
    out << "Stawki VAT sklepu (towary price vat):\n";
    printVatRates(out);

    const double price = calcSellPrice(kPurchase, kMargin, kFoodVat);
    out << "\nCena zakupu netto " << Core::PurchasePrice(kPurchase) << ", marża " << kMargin << " %, VAT kod "
        << kFoodVat << " (8 %):\n"
        << "  cena sprzedaży brutto: " << Core::Price(price) << " (towary price sell)\n"
        << "  marża tej ceny: " << percentText(recalcMarza(kPurchase, price, kFoodVat)) << " % (towary price margin)\n"
        << "  marża 95 % przekracza maksymalną: " << (isMaxMarzaPrzekroczona(95, kFoodVat) ? "tak" : "nie")
        << ", więc cena liczy się z maksymalnej: " << Core::Price(calcSellPrice(kPurchase, 95, kFoodVat)) << '\n';

    out << "\nCena " << Core::Price(price) << " zaokrąglona według grupy towaru (towary price round):\n";
    DBKernel::Sql::OpenedQuery products("select lTowarRef, sNazwa, sGrIndex from towar where byCode = 6 order by lTowarRef");
    while (products.next()) {
        const Product::Tools::ProductSalePriceRounder rounder(products["lTowarRef"].asInt64());
        out << "  " << products["sNazwa"].asString() << " (grupa " << products["sGrIndex"].asString()
            << ", wartości psychologiczne): " << Core::Price(rounder.roundSalePrice(price)) << '\n';
    }
    const Product::Tools::ProductSalePriceRounder chemistry(std::string("02"));
    out << "  towar grupy 02 (Chemia, zero na ostatniej pozycji): " << Core::Price(chemistry.roundSalePrice(price))
        << '\n';
}

}  // namespace Towary::Host::Demo
