// ProductLookup by code and by article index on a store of 100 000 products
// with 200 000 codes, against a bare prepared select of the same id through
// the same layer and session. A lookup's first call for an identifier reads
// the database; a repeated one is answered from its cache.

#include "Core/Database/Sql.h"
#include "Modules/Towary/Tools/products/ProductLookup.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kProducts = 100000;

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    TSessionHolder session;
    std::vector<std::string> codes;
    std::vector<std::string> indexes;

    Store() {
        DBKernel::TransactionGuard guard(session);
        DBKernel::Sql::Command product(
            "insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (:id, '0101', 6, :artIndex)", session);
        DBKernel::Sql::Command code("insert into plu (lPluRef, sPLU, lTowarRef, byStatus) values (:ref, :plu, :id, 1)",
                                    session);
        for (int id = 1; id <= kProducts; ++id) {
            indexes.push_back(std::to_string(1000000 + id).substr(1));
            product.Params["id"] = id;
            product.Params["artIndex"] = indexes.back();
            product.execute();
            for (int k = 0; k < 2; ++k) {
                codes.push_back(std::to_string(5900000000000LL + 2LL * id + k));
                code.Params["ref"] = 2 * id + k;
                code.Params["plu"] = codes.back();
                code.Params["id"] = id;
                code.execute();
            }
        }
        guard.commit();
    }
};

Store& store() {
    static Store instance;
    return instance;
}

// The identifiers in a scattered order, so that consecutive reads do not hit neighbouring pages.
const std::string& pick(const std::vector<std::string>& identifiers, std::size_t i) {
    return identifiers[(i * 7919) % identifiers.size()];
}

void bareSelect(benchmark::State& state, const char* sql, const std::vector<std::string>& identifiers) {
    DBKernel::Sql::PreparedQuery select(sql, store().session);
    std::size_t i = 0;
    for (auto _ : state) {
        select.Params["productIdentifier"] = pick(identifiers, i++);
        select.execute();
        benchmark::DoNotOptimize(select["ltowarref"].asInt64());
    }
}

// First calls: every identifier is new to the lookup; a fresh lookup once all were asked.
template <class Find>
void firstLookups(benchmark::State& state, const std::vector<std::string>& identifiers, Find find) {
    auto lookup = std::make_unique<Products::Tools::ProductLookup>(store().session);
    std::size_t i = 0;
    for (auto _ : state) {
        if (i == identifiers.size()) {
            state.PauseTiming();
            lookup = std::make_unique<Products::Tools::ProductLookup>(store().session);
            i = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(find(*lookup, pick(identifiers, i++)));
    }
}

// Repeated calls for 1000 identifiers already cached.
template <class Find>
void cachedLookups(benchmark::State& state, const std::vector<std::string>& identifiers, Find find) {
    Products::Tools::ProductLookup lookup(store().session);
    for (std::size_t i = 0; i < 1000; ++i) find(lookup, pick(identifiers, i));
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(find(lookup, pick(identifiers, i++ % 1000)));
}

auto byPlu = [](Products::Tools::ProductLookup& lookup, const std::string& code) { return lookup.getProductIdByPlu(code); };
auto byIndex = [](Products::Tools::ProductLookup& lookup, const std::string& index) {
    return lookup.getProductIdByIndex(index);
};

void BM_BareSelectByCode(benchmark::State& state) {
    bareSelect(state, "select ltowarref from plu where splu = :productIdentifier", store().codes);
}
void BM_LookupByCodeFirst(benchmark::State& state) { firstLookups(state, store().codes, byPlu); }
void BM_LookupByCodeCached(benchmark::State& state) { cachedLookups(state, store().codes, byPlu); }
void BM_BareSelectByIndex(benchmark::State& state) {
    bareSelect(state, "select ltowarref from towar where sartindex = :productIdentifier", store().indexes);
}
void BM_LookupByIndexFirst(benchmark::State& state) { firstLookups(state, store().indexes, byIndex); }
void BM_LookupByIndexCached(benchmark::State& state) { cachedLookups(state, store().indexes, byIndex); }

}  // namespace

BENCHMARK(BM_BareSelectByCode);
BENCHMARK(BM_LookupByCodeFirst);
BENCHMARK(BM_LookupByCodeCached);
BENCHMARK(BM_BareSelectByIndex);
BENCHMARK(BM_LookupByIndexFirst);
BENCHMARK(BM_LookupByIndexCached);
