// The free index searches on a store of 200 000 products and 5 000 groups,
// against one bare indexed select of the same store through the same layer.
//
// Article indexes 1 to 100 000 are all taken (a long run); from 100 001 up
// every 500th number is free (removed products), up to the 200 000th product.
// Groups (levels 2, 2, 2, 3, 3): 10 departments, 10 sectors in each, 5
// sections in each sector, 4 families in each section and 2 390 subfamilies.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/tools/Digits.h"
#include "Modules/Towary/Tools/index/GroupIndexGenerator.h"
#include "tests/support/IndexSettings.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kProducts = 200000;
constexpr int kDenseRun = 100000;

std::string padded(int number, std::size_t width) { return Core::padLeft(std::to_string(number), width); }

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup;
    TSessionHolder session;
    std::vector<std::string> subfamilies;
    int lastArticle = 0;

    Store() {
        TestSupport::writeIndexSettings();
        DBKernel::TransactionGuard guard(session);
        DBKernel::Sql::Command insert(
            "insert into towar (lTowarRef, sGrIndex, byCode, sArtIndex) values (newref, :grIndex, :code, :artIndex)",
            session);
        auto add = [&insert](const std::string& grIndex, int code, const std::string& artIndex) {
            insert.Params["grIndex"] = grIndex;
            insert.Params["code"] = code;
            insert.Params["artIndex"] = artIndex;
            insert.execute();
        };
        int families = 0;
        for (int d = 1; d <= 10; ++d) {
            const std::string department = padded(d, 2);
            add(department, 1, "");
            for (int s = 1; s <= 10; ++s) {
                const std::string sector = department + padded(s, 2);
                add(sector, 2, "");
                for (int c = 1; c <= 5; ++c) {
                    const std::string section = sector + padded(c, 2);
                    add(section, 3, "");
                    for (int f = 1; f <= 4; ++f, ++families) {
                        const std::string family = section + padded(f, 3);
                        add(family, 4, "");
                        for (int sub = 1; sub <= (families < 390 ? 2 : 1); ++sub) {
                            subfamilies.push_back(family + padded(sub, 3));
                            add(subfamilies.back(), 5, "");
                        }
                    }
                }
            }
        }
        for (int product = 1, number = 1; product <= kProducts; ++number) {
            if (number > kDenseRun && number % 500 == 0) continue;
            add(subfamilies[static_cast<std::size_t>(product) % subfamilies.size()], 6, padded(number, 6));
            lastArticle = number;
            ++product;
        }
        guard.commit();
    }
};

Store& store() {
    static auto* made = new Store;
    return *made;
}

std::string freeArticle(int start) {
    DBKernel::Sql::OpenedQuery query("select getWolnyIndex(" + std::to_string(start) + ", 6) idx from dual",
                                     store().session);
    return query["idx"].asString();
}

// The yardstick: one product found by its article index through the index on sArtIndex.
void BM_BareIndexedSelect(benchmark::State& state) {
    auto& made = store();
    for (auto _ : state) {
        DBKernel::Sql::OpenedQuery query("select sGrIndex from towar where sArtIndex = '150001'", made.session);
        benchmark::DoNotOptimize(query["sGrIndex"].asString());
    }
}
BENCHMARK(BM_BareIndexedSelect);

// getWolnyIndex from the number given last: the generator's usual call.
void BM_GetWolnyIndexFromLastGenerated(benchmark::State& state) {
    const int start = store().lastArticle;
    for (auto _ : state) benchmark::DoNotOptimize(freeArticle(start));
}
BENCHMARK(BM_GetWolnyIndexFromLastGenerated);

// From a start below a gap 499 numbers up: a run of products removed now and then.
void BM_GetWolnyIndexRunOf499(benchmark::State& state) {
    store();
    for (auto _ : state) benchmark::DoNotOptimize(freeArticle(kDenseRun + 1));
}
BENCHMARK(BM_GetWolnyIndexRunOf499);

// From 0 on a store whose first 100 000 numbers are all taken: the worst case,
// a new process asking first (towary index next-article).
void BM_GetWolnyIndexRunOf100000(benchmark::State& state) {
    store();
    for (auto _ : state) benchmark::DoNotOptimize(freeArticle(0));
}
BENCHMARK(BM_GetWolnyIndexRunOf100000)->Unit(benchmark::kMillisecond);

// A new group under a parent of each level: the child level's groups are
// looked up through the groups-only index; the last level has the most groups.
void BM_GroupIndexGenerator(benchmark::State& state) {
    auto& made = store();
    const std::string parents[] = {"", "01", "0101", "010101", "010101001"};
    const std::string& parent = parents[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(Towar::GroupIndexGenerator::instance().genIndex(parent, made.session));
    state.SetLabel("parent '" + parent + "'");
}
BENCHMARK(BM_GroupIndexGenerator)->DenseRange(0, 4);

}  // namespace
