// The cost of one setting lookup: every GetVal asks the file's watch whether
// it changed and walks the tree; the file is parsed again only after it changed.

#include "Core/Setup/FileWatch.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>

namespace {

constexpr const char* kSettings = R"(# Ustawienia
["Parametry programu".Towary.Indeksy.Departament]
"@" = 2                                 # długość segmentu poziomu 1
"Nazwa wyświetlana" = "Departament"

["Parametry programu".Towary.Indeksy.Podrodzina]
"@" = 3                                 # długość segmentu poziomu 5
"Nazwa wyświetlana" = "Podrodzina"

["Parametry programu"."Struktura organizacyjna"."Poziomy hierarchii"."Punkt sprzedaży".Towary.Indeksy]
"Długość" = 6
"Prefiks sklepu" = false
)";

Orvel::TKey departament() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "Towary", "Indeksy", "Departament"});
}

void BM_LookupUnchangedFile(benchmark::State& state) {
    TestSupport::TempStore store;
    std::ofstream(Core::Store::settingsFile()) << kSettings;
    Core::SetupRegistration setup;
    const Orvel::TKey key = departament();
    for (auto _ : state) benchmark::DoNotOptimize(key.GetVal<int>());
}
BENCHMARK(BM_LookupUnchangedFile);

void BM_LookupAfterEdit(benchmark::State& state) {
    TestSupport::TempStore store;
    const auto file = Core::Store::settingsFile();
    std::ofstream(file) << kSettings;
    Core::SetupRegistration setup;
    const Orvel::TKey key = departament();
    auto modified = std::filesystem::last_write_time(file);
    for (auto _ : state) {
        modified += std::chrono::seconds(1);
        std::filesystem::last_write_time(file, modified);
        Core::Setup::noteSettingsWritten();
        benchmark::DoNotOptimize(key.GetVal<int>());
    }
}
BENCHMARK(BM_LookupAfterEdit);

void BM_WriteSetting(benchmark::State& state) {
    TestSupport::TempStore store;
    const auto file = Core::Store::settingsFile();
    std::ofstream(file) << kSettings;
    int value = 0;
    for (auto _ : state)
        Core::Setup::writeSetting(file, {"Parametry programu", "Towary", "Indeksy", "Departament"}, value++ % 9);
}
BENCHMARK(BM_WriteSetting);

}  // namespace
