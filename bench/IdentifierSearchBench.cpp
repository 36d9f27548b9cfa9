// towary find's work (the identifier's subquery, then the products it finds
// loaded through GetProductByIdentifierAction) on a generated store of
// 200 000 products, by code, by article index and by the beginning of a name,
// against a baseline that finds the same rows with a select prepared once on
// an index, loaded into the same product collection through the same layer.
// The name baseline needs an index on sNazwa, which the store lacks: the
// benchmark makes one for it. When the PG* variables name a PostgreSQL
// server, the same on a smaller store there, and the baseline's select also
// run by bare libpq, every column of every row read into a number or a text
// and kept, as the products found are kept.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/plu/IdentifierFilter.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StoreGenerator.h"
#include "bench/BarePostgres.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kProducts = 200000;
constexpr std::int64_t kServerProducts = 20000;
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

// What the process registers once: its settings, the identifier filter.
void registerOnce() {
    static Core::SetupRegistration setup;
    static Core::Registrations registrations;
    static const bool registered = (registerIdentifierFilterControllerImplObjects(registrations), true);
    (void)registered;
}

// A generated store of that many products in the current store directory, and the searches sampled from it.
struct Store {
    bool settings = (Towary::Host::writeSampleSettings(Core::Store::settingsFile()), registerOnce(), true);
    TSessionHolder session;
    std::vector<Search> codes, indexes, names;

    explicit Store(std::int64_t products) {
        Towary::Host::Products::generateProducts({products, 1, 0}, session);
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

struct SqliteStore {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    Store store{kProducts};
};

struct ServerStore {
    Bench::ServerStore server;
    Store store{(server.use(), kServerProducts)};
};

Store& sqliteStore() {
    static SqliteStore instance;
    Core::Store::setDirectory(instance.directory.path());
    return instance.store;
}

ServerStore& server() {
    static ServerStore instance;
    instance.server.use();
    return instance;
}

Store& serverStore() { return server().store; }

using StoreOf = Store& (*)();

void find(benchmark::State& state, StoreOf of, std::vector<Search> Store::*searched) {
    Store& store = of();
    const auto& searches = store.*searched;
    const Product::Tools::GetProductByIdentifierInvoker invoker;
    std::size_t i = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto found = invoker.invoke(searches[i++ % searches.size()].typed, store.session);
        rows += found->size();
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

void baseline(benchmark::State& state, StoreOf of, const char* sql, std::vector<Search> Store::*searched) {
    Store& store = of();
    const auto& searches = store.*searched;
    DBKernel::Sql::PreparedQuery select(sql, store.session);
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

// The baseline's select through bare libpq: every column of every row read
// into a whole number, a fractional one or a text, by the type the server
// gives it, and the rows kept until the search is over, as the products a
// search finds are kept for whoever asked.
void bareBaseline(benchmark::State& state, const char* sql, std::vector<Search> Store::*searched) {
    const auto& searches = server().store.*searched;
    Bench::BarePostgres bare(server().server);
    bare.prepare("baseline", sql, 0);
    std::size_t i = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const Search& search = searches[i++ % searches.size()];
        const char* const values[] = {search.bound.c_str(), search.boundTo.c_str()};
        const auto result = bare.run("baseline", search.boundTo.empty() ? 1 : 2, values);
        const int count = PQntuples(result.get());
        const int columns = PQnfields(result.get());
        std::vector<std::vector<DBKernel::Value>> found;
        for (int row = 0; row < count; ++row) {
            auto& kept = found.emplace_back(static_cast<std::size_t>(columns));
            for (int column = 0; column < columns; ++column) {
                if (PQgetisnull(result.get(), row, column) != 0) continue;
                auto& value = kept[static_cast<std::size_t>(column)];
                const Oid type = PQftype(result.get(), column);
                if (type == 20 || type == 21 || type == 23)  // int8, int2, int4
                    value = Bench::integerAt(result.get(), row, column);
                else if (type == 700 || type == 701)  // float4, float8
                    value = Bench::numberAt(result.get(), row, column);
                else
                    value = Bench::textAt(result.get(), row, column);
            }
        }
        benchmark::DoNotOptimize(found);
        rows += found.size();
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

void sqlPart(benchmark::State& state, const std::vector<Search>& searches) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Product::Tools::getIdentifierSqlPart(searches[i++ % searches.size()].typed));
}

void BM_SqlPartByCode(benchmark::State& state) { sqlPart(state, sqliteStore().codes); }
void BM_SqlPartByIndex(benchmark::State& state) { sqlPart(state, sqliteStore().indexes); }
void BM_SqlPartByName(benchmark::State& state) { sqlPart(state, sqliteStore().names); }

const char* const byCode = "select t.* from towar t where t.lTowarRef in (select lTowarRef from plu where sPLU = :value)";
const char* const byIndex = "select * from towar where sArtIndex = :value";
const char* const byName = "select * from towar where sNazwa >= :value and sNazwa < :to";

void BM_BaselineByCode(benchmark::State& state, StoreOf of) { baseline(state, of, byCode, &Store::codes); }
void BM_FindByCode(benchmark::State& state, StoreOf of) { find(state, of, &Store::codes); }
void BM_BaselineByIndex(benchmark::State& state, StoreOf of) { baseline(state, of, byIndex, &Store::indexes); }
void BM_FindByIndex(benchmark::State& state, StoreOf of) { find(state, of, &Store::indexes); }
void BM_BaselineByName(benchmark::State& state, StoreOf of) { baseline(state, of, byName, &Store::names); }
void BM_FindByName(benchmark::State& state, StoreOf of) { find(state, of, &Store::names); }

void BM_BareByCode(benchmark::State& state) {
    bareBaseline(state, "select t.* from towar t where t.lTowarRef in (select lTowarRef from plu where sPLU = $1)",
                 &Store::codes);
}
void BM_BareByIndex(benchmark::State& state) {
    bareBaseline(state, "select * from towar where sArtIndex = $1", &Store::indexes);
}
void BM_BareByName(benchmark::State& state) {
    bareBaseline(state, "select * from towar where sNazwa >= $1 and sNazwa < $2", &Store::names);
}

}  // namespace

// Each pair runs the same searches: every sample once, the names' first 40.
constexpr auto kNameSearches = 40;
BENCHMARK(BM_SqlPartByCode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqlPartByIndex)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqlPartByName)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BaselineByCode, sqlite, sqliteStore)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK_CAPTURE(BM_FindByCode, sqlite, sqliteStore)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK_CAPTURE(BM_BaselineByIndex, sqlite, sqliteStore)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK_CAPTURE(BM_FindByIndex, sqlite, sqliteStore)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
BENCHMARK_CAPTURE(BM_BaselineByName, sqlite, sqliteStore)->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
BENCHMARK_CAPTURE(BM_FindByName, sqlite, sqliteStore)->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);

namespace {

const bool serverCases = Bench::serverNamed() && [] {
    benchmark::RegisterBenchmark("BM_BareByCode/postgresql", BM_BareByCode)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_BaselineByCode/postgresql", BM_BaselineByCode, serverStore)
        ->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_FindByCode/postgresql", BM_FindByCode, serverStore)
        ->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_BareByIndex/postgresql", BM_BareByIndex)->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_BaselineByIndex/postgresql", BM_BaselineByIndex, serverStore)
        ->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_FindByIndex/postgresql", BM_FindByIndex, serverStore)
        ->Unit(benchmark::kMicrosecond)->Iterations(kSamples);
    benchmark::RegisterBenchmark("BM_BareByName/postgresql", BM_BareByName)->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
    benchmark::RegisterBenchmark("BM_BaselineByName/postgresql", BM_BaselineByName, serverStore)
        ->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
    benchmark::RegisterBenchmark("BM_FindByName/postgresql", BM_FindByName, serverStore)
        ->Unit(benchmark::kMillisecond)->Iterations(kNameSearches);
    return true;
}();

}  // namespace
