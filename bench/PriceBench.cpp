// Sale prices over a million purchase prices: calcSellPrice and the rounding
// of a product's rounder, as a form recalculating a whole price list calls
// them. calcSellPrice reads the margin ceiling from the settings and the rate
// from the VAT list at every call; the baseline does the same arithmetic with
// both read once before the loop, which is what that reading costs.

#include "Core/Database/Query.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/Round.h"
#include "Modules/Towary/Tools/prices/MarginSettings.h"
#include "Modules/Towary/Tools/prices/ProductSalePriceRounder.h"
#include "Modules/Towary/Tools/prices/SellPrice.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr const char* kSettings = R"(["Parametry programu".Towary."Marże"]
"Marża KVR" = false
"Maksymalna marża procentowa" = 90.0

["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do wartości psychologicznych"]
"Włączone" = true
"Próg zaokrąglania" = 5.0

["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do zera na ostatniej pozycji"]
"Włączone" = false
)";

constexpr int kPrices = 1000000;
constexpr double kMargin = 25;
constexpr int kVatCode = 13;

// A store with its settings and one VAT rate, and the purchase prices of a price list.
class PriceList {
public:
    PriceList() : store_(TestSupport::TempStore::withDatabase) {
        std::ofstream(Core::Store::settingsFile()) << kSettings;
        DBKernel::Sql::Command("insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) "
                               "values (13, '23%', 0.23, 0, 'A')")
            .execute();
        std::mt19937_64 random(1);
        std::uniform_int_distribution<int> hundredths(1, 100000);
        purchases_.reserve(kPrices);
        for (int i = 0; i < kPrices; ++i) purchases_.push_back(hundredths(random) / 100.0);
    }

    const std::vector<double>& purchases() const { return purchases_; }

private:
    TestSupport::TempStore store_;
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Vat::AvailVatRates> rates_;
    std::vector<double> purchases_;
};

// The sum of the list's prices, for the baseline to check it computes the same.
double pricedAsTheModuleDoes(const PriceList& list, const Product::Tools::ProductSalePriceRounder& rounder) {
    double sum = 0;
    for (const double purchase : list.purchases()) sum += rounder.roundSalePrice(calcSellPrice(purchase, kMargin, kVatCode));
    return sum;
}

void BM_SellPriceAndRounding(benchmark::State& state) {
    const PriceList list;
    const Product::Tools::ProductSalePriceRounder rounder(std::string("0101"));
    for (auto _ : state) benchmark::DoNotOptimize(pricedAsTheModuleDoes(list, rounder));
    state.SetItemsProcessed(state.iterations() * kPrices);
}
BENCHMARK(BM_SellPriceAndRounding)->Unit(benchmark::kMillisecond);

void BM_SellPriceFromRateAndRounding(benchmark::State& state) {
    const PriceList list;
    const Product::Tools::ProductSalePriceRounder rounder(std::string("0101"));
    const double rate = Core::SingletonImplHolder::get<Vat::AvailVatRates>().getVatValueByCode(kVatCode);
    for (auto _ : state) {
        double sum = 0;
        for (const double purchase : list.purchases())
            sum += rounder.roundSalePrice(calcSellPriceFromVatValue(purchase, kMargin, rate));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPrices);
}
BENCHMARK(BM_SellPriceFromRateAndRounding)->Unit(benchmark::kMillisecond);

// calcSellPriceFromVatValue's steps for an ordinary margin of 0 to 100 %,
// with the ceiling and the rate read once.
void BM_SettingsReadOnceBaseline(benchmark::State& state) {
    const PriceList list;
    const Product::Tools::ProductSalePriceRounder rounder(std::string("0101"));
    const double factor = 1 + Core::SingletonImplHolder::get<Vat::AvailVatRates>().getVatValueByCode(kVatCode);
    if (isMarzaKVR()) throw std::logic_error("the baseline prices ordinary margins");
    const double ceiling = Core::SingletonImplHolder::get<Core::CSetup>()
                               .GetRootKey()
                               .GetSubKey({"Parametry programu", "Towary", "Marże", "Maksymalna marża procentowa"})
                               .GetVal<double>();
    const double m = std::min(kMargin, ceiling) * 0.01;
    const double expected = pricedAsTheModuleDoes(list, rounder);
    for (auto _ : state) {
        double sum = 0;
        for (const double purchase : list.purchases()) sum += rounder.roundSalePrice(RoundMoney(purchase * factor / (1 - m)));
        if (sum != expected) state.SkipWithError("the baseline prices differently from calcSellPrice");
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPrices);
}
BENCHMARK(BM_SettingsReadOnceBaseline)->Unit(benchmark::kMillisecond);

void BM_RoundingOnly(benchmark::State& state) {
    const PriceList list;
    const Product::Tools::ProductSalePriceRounder rounder(std::string("0101"));
    for (auto _ : state) {
        double sum = 0;
        for (const double price : list.purchases()) sum += rounder.roundSalePrice(price);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPrices);
}
BENCHMARK(BM_RoundingOnly)->Unit(benchmark::kMillisecond);

}  // namespace
