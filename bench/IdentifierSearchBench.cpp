// towary find's work (the identifier's subquery, then the products it finds
// loaded through GetProductByIdentifierAction) on a generated store of
// 200 000 products, by code, by article index and by the beginning of a name,
// against a baseline that finds the same rows with a select prepared once on
// an index, loaded into the same product collection through the same layer.
// The name baseline needs an index on sNazwa, which the store lacks: the
// benchmark makes one for it.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/plu/IdentifierFilter.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kProducts = 200000;
constexpr std::size_t kSamples = 500;

// One search: what the user types, and the parameter of the baseline's select.
struct Search {
    std::string typed;
    std::string bound;
    std::string boundTo;  // the range's end, for a name
};

std::vector<Search> sample(const std::string& select, TSessionHolder session) {
    DBKernel::Sql::OpenedQuery rows(select, std::move(session));
    std::vector<std::string> all;
    while (rows.next()) all.push_back(rows.field(0).asString());
    std::vector<Search> picked;
    for (std::size_t i = 0; i < kSamples; ++i) picked.push_back({all[(i * 7919) % all.size()], "", ""});
    return picked;
}

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    bool settings = (Towary::Host::writeSampleSettings(Core::Store::settingsFile()), true);
    Core::SetupRegistration setup;
    Core::Registrations registrations;
    TSessionHolder session;
    std::vector<Search> codes, indexes, names;

    Store() {
        registerIdentifierFilterControllerImplObjects(registrations);
        Towary::Host::Products::generateProducts({kProducts, 1, 0}, session);
        DBKernel::Sql::Command("create index bench_towar_sNazwa on towar (sNazwa)", session).execute();
        codes = sample("select sPLU from plu where length(sPLU) = 13 and sPLU like '59%' order by lPluRef", session);
        for (auto& code : codes) code.bound = code.typed;
        indexes = sample("select sArtIndex from towar where sArtIndex is not null order by lTowarRef", session);
        for (auto& index : indexes) index = {"/" + index.typed.substr(index.typed.find_first_not_of('0')), index.typed, ""};
        // The first two words of product names: "Mleko UHT" finds every name beginning so.
        names = sample("select sNazwa from towar where byCode = 6 order by lTowarRef", session);
        for (auto& name : names) {
            const std::string words = name.typed.substr(0, name.typed.find(' ', name.typed.find(' ') + 1));
            std::string to = words;
            ++to.back();
            name = {words, words, to};
        }
    }
};

Store& store() {
    static Store instance;
    return instance;
}

void find(benchmark::State& state, const std::vector<Search>& searches) {
    const Product::Tools::GetProductByIdentifierInvoker invoker;
    std::size_t i = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto found = invoker.invoke(searches[i++ % searches.size()].typed, store().session);
        rows += found->size();
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

void baseline(benchmark::State& state, const char* sql, const std::vector<Search>& searches) {
    DBKernel::Sql::PreparedQuery select(sql, store().session);
    std::size_t i = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const Search& search = searches[i++ % searches.size()];
        select.Params["value"] = search.bound;
        if (!search.boundTo.empty()) select.Params["to"] = search.boundTo;
        select.execute();
        TTowarCollection found;
        found.load(select);
        rows += found.size();
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

void sqlPart(benchmark::State& state, const std::vector<Search>& searches) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Product::Tools::getIdentifierSqlPart(searches[i++ % searches.size()].typed));
}

void BM_SqlPartByCode(benchmark::State& state) { sqlPart(state, store().codes); }
void BM_SqlPartByIndex(benchmark::State& state) { sqlPart(state, store().indexes); }
void BM_SqlPartByName(benchmark::State& state) { sqlPart(state, store().names); }

void BM_BaselineByCode(benchmark::State& state) {
    baseline(state, "select t.* from towar t where t.lTowarRef in (select lTowarRef from plu where sPLU = :value)",
             store().codes);
}
void BM_FindByCode(benchmark::State& state) { find(state, store().codes); }
void BM_BaselineByIndex(benchmark::State& state) {
    baseline(state, "select * from towar where sArtIndex = :value", store().indexes);
}
void BM_FindByIndex(benchmark::State& state) { find(state, store().indexes); }
void BM_BaselineByName(benchmark::State& state) {
    baseline(state, "select * from towar where sNazwa >= :value and sNazwa < :to", store().names);
}
void BM_FindByName(benchmark::State& state) { find(state, store().names); }

}  // namespace

// Each pair runs the same searches: every sample once, the names' first 40.
constexpr auto kNameSearches = 40;
BENCHMARK(BM_SqlPartByCode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqlPartByIndex)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqlPartByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineByCode)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK(BM_FindByCode)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK(BM_BaselineByIndex)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK(BM_FindByIndex)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK(BM_BaselineByName)->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
BENCHMARK(BM_FindByName)->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
