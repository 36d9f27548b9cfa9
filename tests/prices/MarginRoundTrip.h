#pragma once
// The property both margin modes keep: a sale price computed with a margin
// gives that margin back through recalcMarza. The price is rounded to the
// grosz, which moves the margin by up to 0.005 / price; from a purchase price
// of 100 up that stays within the margin's own last place, so the margin
// must come back within 0.0001.

#include "Core/Price/Price.h"
#include "Modules/Towary/Tools/prices/Margin.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

// Checks `samples` random purchase prices (100 to 10 000, four places) and
// margins (percent, two places, from `lowest` up to below `highest`) under
// every VAT code of the test store.
inline void expectMarginsComeBack(double lowest, double highest, int samples = 20000) {
    std::mt19937_64 random(20110101);  // fixed: a failure must repeat
    std::uniform_real_distribution<double> purchases(100.0, 10000.0);
    std::uniform_real_distribution<double> margins(lowest, highest);
    constexpr std::array<int, 5> kCodes = {1, 8, 9, 12, 13};
    int failures = 0;
    for (int i = 0; i < samples && failures < 5; ++i) {
        const double purchase = Core::PurchasePrice(purchases(random)).toDouble();
        const double margin = std::floor(margins(random) * 100) / 100;
        const int code = kCodes[static_cast<std::size_t>(i) % kCodes.size()];
        const double price = calcSellPrice(purchase, margin, code);
        const double back = recalcMarza(purchase, price, code);
        if (std::fabs(back - margin / 100) > 0.0001 + 1e-12) {
            ++failures;
            ADD_FAILURE() << "purchase " << purchase << ", margin " << margin << " %, VAT code " << code
                          << ": price " << price << " gives the margin " << back;
        }
    }
}
