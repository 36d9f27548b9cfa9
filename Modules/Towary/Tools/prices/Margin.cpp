#include "Modules/Towary/Tools/prices/Margin.h"

#include "Core/tools/Round.h"
#include "Modules/Towary/Tools/prices/GetDBVAT.h"
#include "Modules/Towary/Tools/prices/MarginSettings.h"

#include <cmath>

double calculateMargin(double netPurchase, double netSale, double /*grossPurchase*/, double grossSale) {
    const double diff = netSale - netPurchase;
    double margin = 0;
    if (isMarzaKVR()) {
        if (grossSale == 0) return 0;
        margin = diff / grossSale;
    } else if (diff < 0) {
        if (netPurchase == 0) return 0;
        margin = diff / netPurchase;
    } else {
        if (netSale == 0) return 0;
        margin = diff / netSale;
    }
    return Round(margin, 0.0001);
}

double recalcMarza(double netPurchase, double netSale, double grossPurchase, double grossSale) {
    return calculateMargin(std::fabs(netPurchase), std::fabs(netSale), std::fabs(grossPurchase), std::fabs(grossSale));
}

double recalcMarza(double purchase, double grossSale, double vatRate) {
    try {
        const double netPurchase = std::fabs(purchase);
        const double gross = std::fabs(grossSale);
        const double factor = 1 + vatRate;
        return recalcMarza(netPurchase, gross / factor, netPurchase * factor, gross);
    } catch (...) {
        return 0;
    }
}

double recalcMarza(double purchase, double grossSale, int vatCode) {
    return recalcMarza(purchase, grossSale, GetDBVAT(vatCode));
}

bool isMaxMarzaPrzekroczona(double margin, int vatCode) {
    const double factor = GetDBVAT(vatCode) + 1;
    if (isMarzaKVR()) margin *= factor;
    return margin > Towary::ProductTools::maxMarzaProcentowa();
}
