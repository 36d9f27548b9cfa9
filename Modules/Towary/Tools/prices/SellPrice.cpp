#include "Modules/Towary/Tools/prices/SellPrice.h"

#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/Round.h"
#include "Modules/Towary/Tools/prices/MarginSettings.h"

double calcSellPrice(double purchase, double margin, int vatCode) {
    const double rate = Core::SingletonImplHolder::get<Vat::AvailVatRates>().getVatValueByCode(vatCode);
    return calcSellPriceFromVatValue(purchase, margin, rate);
}

double calcSellPriceFromVatValue(double purchase, double margin, double vatRate) {
    const double factor = 1 + vatRate;
    if (isMarzaKVR()) margin *= factor;
    // The ceiling caps the ordinary margin, so it applies after the KVR conversion.
    const double ceiling = Towary::ProductTools::maxMarzaProcentowa();
    if (margin > ceiling) margin = ceiling;
    const double m = margin * 0.01;
    if (m >= 1) return 0;
    if (m >= 0) return RoundMoney(purchase * factor / (1 - m));
    return RoundMoney(purchase * factor * (1 + m));
}
