// Listing the products a user may browse (right 1) on a generated store of
// 200 000 products, his 100 rights entries drawn by the store generator,
// against a bare select of the same rows by sGrIndex ranges on the index,
// through the same layer and session. The rights cases include reading the
// user's entries and writing the condition, as a product browser does.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/IndexSettings.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kUser = 2;
constexpr char kProducts[] = "select lTowarRef, sNazwa from towar where byCode = 6 and ";

// The first text past every index that begins with the key: keys are digits.
std::string pastSubtree(std::string key) {
    ++key.back();
    return key;
}

// The sGrIndex ranges [from, to) that getGroupRightsWhereCondition lets
// through: inside a granted entry's subtree and inside no denied one's.
std::vector<std::pair<std::string, std::string>> browsableRanges(const GroupRights::Container& rights) {
    std::vector<std::string> bounds;
    for (const auto& entry : rights) {
        bounds.push_back(entry.first);
        bounds.push_back(pastSubtree(entry.first));
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    const auto inside = [&](const std::string& at, bool granted) {
        return std::any_of(rights.begin(), rights.end(), [&](const auto& entry) {
            return rights.getRights(entry.first)[GroupRights::Rights::browseGroup].granted() == granted &&
                   entry.first <= at && at < pastSubtree(entry.first);
        });
    };
    std::vector<std::pair<std::string, std::string>> ranges;
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        if (!inside(bounds[i], true) || inside(bounds[i], false)) continue;
        if (!ranges.empty() && ranges.back().second == bounds[i])
            ranges.back().second = bounds[i + 1];
        else
            ranges.emplace_back(bounds[i], bounds[i + 1]);
    }
    return ranges;
}

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup;
    TSessionHolder session;
    std::vector<std::pair<std::string, std::string>> ranges;

    Store() {
        TestSupport::writeIndexSettings();
        Towary::Host::Products::GeneratorOptions options{200000, 17};
        options.users = 1;
        options.rightsPerUser = 100;
        Towary::Host::Products::generateProducts(options, session);
        GroupRights::Container rights;
        GroupRights::InputStream(kUser, session).containerFromStream(rights);
        ranges = browsableRanges(rights);
    }
};

Store& store() {
    static Store instance;
    return instance;
}

std::int64_t readAll(DBKernel::Sql::PreparedQuery& query) {
    query.execute();
    const auto id = query["lTowarRef"];
    const auto name = query["sNazwa"];
    std::int64_t rows = 0;
    while (query.next()) {
        benchmark::DoNotOptimize(id.asInt64());
        benchmark::DoNotOptimize(name.asString());
        ++rows;
    }
    return rows;
}

std::int64_t bareSelect() {
    DBKernel::Sql::PreparedQuery query(std::string(kProducts) + "sGrIndex >= :od and sGrIndex < :do", store().session);
    std::int64_t rows = 0;
    for (const auto& [from, to] : store().ranges) {
        query.Params["od"] = from;
        query.Params["do"] = to;
        rows += readAll(query);
    }
    return rows;
}

template <class Writer>
std::int64_t withRights(Writer write) {
    GroupRights::Container rights;
    GroupRights::InputStream(kUser, store().session).containerFromStream(rights);
    DBKernel::Sql::PreparedQuery query(std::string(kProducts) + write(rights), store().session);
    return readAll(query);
}

std::string whereCondition(const GroupRights::Container& rights) {
    return GroupRights::Sql::getGroupRightsWhereCondition(rights, "sGrIndex");
}

std::string availGroups(const GroupRights::Container& rights) {
    std::ostringstream fragment;
    GroupRights::Sql::AvailGroups(rights, "").toStream(fragment);
    return "1 = 1" + fragment.str();
}

void BM_BareSelectBySGrIndexRanges(benchmark::State& state) {
    store();
    std::int64_t rows = 0;
    for (auto _ : state) rows = bareSelect();
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["ranges"] = static_cast<double>(store().ranges.size());
}

void BM_GroupRightsWhereCondition(benchmark::State& state) {
    store();
    std::int64_t rows = 0;
    for (auto _ : state) rows = withRights(whereCondition);
    if (rows != bareSelect()) state.SkipWithError("the condition and the ranges found different rows");
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_AvailGroups(benchmark::State& state) {
    store();
    std::int64_t rows = 0;
    for (auto _ : state) rows = withRights(availGroups);
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_BareSelectBySGrIndexRanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupRightsWhereCondition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AvailGroups)->Unit(benchmark::kMillisecond);

}  // namespace
