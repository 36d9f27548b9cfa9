// Importing a headquarters product file of 100 000 products, a tenth of them
// multi-price wares (bWieleCen 1), each with one live code: with the store's
// multi-price handling on, and the same file with it off, in the same
// process. Each run makes a new store with the sample settings; only the
// import is timed.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/Csv.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Gs1.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/ProductImport.h"
#include "tests/support/TempStore.h"

namespace {

constexpr std::int64_t kProducts = 100000;
constexpr std::int64_t kMultiPriceEvery = 10;  // every tenth product is a multi-price ware
constexpr std::int64_t kFamilies = 40;

// The file, made once: products in 40 families of the sample hierarchy
// (index lengths 2, 2, 2, 3, 3), article indexes 100001 up.
struct Data {
    Data() {
        std::ofstream out(path(), std::ios::binary);
        Core::Csv::Writer writer(out);
        writer.write(std::vector<std::string>{"sNazwa", "sKrNazwa", "sGrIndex", "sArtIndex", "byCode", "byTyp",
                                              "byVAT", "bWieleCen", "nJmSprz", "dCenaSprzed", "sPLU", "byStatus",
                                              "nJm"});
        for (std::int64_t i = 1; i <= kProducts; ++i) {
            const auto family = "010101" + Core::padLeft(std::to_string(1 + (i / kMultiPriceEvery) % kFamilies), 3);
            const bool multiPrice = i % kMultiPriceEvery == 0;
            writer.write(std::vector<std::string>{"Towar " + std::to_string(i) + " Mleczna Dolina 1 l",
                                                  "Towar " + std::to_string(i), family, std::to_string(100000 + i),
                                                  "6", "4", i % 2 == 0 ? "13" : "9", multiPrice ? "1" : "0", "1",
                                                  "3.49", "", "", ""});
            const auto digits = std::to_string(590000000000 + i);
            writer.write(std::vector<std::string>{"", "", "", "", "", "", "", "", "", "",
                                                  digits + Core::Gs1::checkDigit(digits), "1", "1"});
        }
    }
    std::filesystem::path path() const { return file.path() / "towary.csv"; }

    TestSupport::TempStore file;
};

const Data& data() {
    static const Data made;
    return made;
}

void check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

void ImportWithMultiPrice(benchmark::State& state) {
    const bool multiPrice = state.range(0) != 0;
    const auto& rows = data();
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        Core::SetupRegistration setup;
        const auto session = TSessionHolder::open();
        const auto start = std::chrono::steady_clock::now();
        const auto counts = Towary::Host::Products::importProducts(rows.path(), session, multiPrice);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        check(counts.products == kProducts, "wrong product count");
        check(counts.waresCreated == (multiPrice ? kProducts / kMultiPriceEvery : 0), "wrong ware count");
    }
    state.SetItemsProcessed(state.iterations() * kProducts);
}

}  // namespace

BENCHMARK(ImportWithMultiPrice)
    ->ArgName("multiprice")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
