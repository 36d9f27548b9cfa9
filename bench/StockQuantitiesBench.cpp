// A product's stock and reserved quantity (Towar::calcStock, calcReserved)
// on a generated store of 10 000 products with 200 days of stock each
// (2 000 000 stn rows) and 40 000 documents of 5 positions (about 200 000
// positions), against bare SQLite running the same statements, as the
// dialect translates them, in the same process. Each iteration asks for the
// next product, so a run cycles through all of them.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StockGenerator.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kProducts = 10000;

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup;
    std::vector<int> products;

    Store() {
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        const auto session = TSessionHolder::open();
        Towary::Host::Products::generateProducts({kProducts, 1, 0.0}, session);
        Towary::Host::Products::generateStock({200, 40000, 5, 1}, session);
        DBKernel::Sql::OpenedQuery ids("select lTowarRef from towar where byCode = 6 order by lTowarRef", session);
        while (ids.next()) products.push_back(ids.field(0).asInt());
        DBKernel::Sql::Command("analyze", session).execute();
    }
};

const Store& store() {
    static const Store made;
    return made;
}

// The bare connection's lastStnDate: the same seek as the store's routine.
void lastStnDate(sqlite3_context* context, int, sqlite3_value** arguments) {
    auto* latest = static_cast<sqlite3_stmt*>(sqlite3_user_data(context));
    sqlite3_bind_value(latest, 1, arguments[0]);
    if (sqlite3_step(latest) == SQLITE_ROW)
        sqlite3_result_value(context, sqlite3_column_value(latest, 0));
    else
        sqlite3_result_null(context);
    sqlite3_reset(latest);
}

class Bare {
public:
    Bare() {
        const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;  // one thread, as the layer's connections
        if (sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db_, flags, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        DBKernel::Dialect::registerFunctions(db_);
        if (sqlite3_prepare_v2(db_, "select max(data) from stn where lTowarRef = ?", -1, &latest_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        sqlite3_create_function_v2(db_, "lastStnDate", 1, SQLITE_UTF8, latest_, &lastStnDate, nullptr, nullptr,
                                   nullptr);
    }
    ~Bare() {
        sqlite3_finalize(latest_);
        sqlite3_close_v2(db_);
    }
    // The statement's one double, as the module reads it.
    double value(const std::string& text) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, text.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        const double result = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_double(statement, 0) : 0.0;
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* latest_ = nullptr;
};

void layer(benchmark::State& state, const std::function<double(int)>& call) {
    const auto& products = store().products;
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(products[next]));
        next = (next + 1) % products.size();
    }
}

void bare(benchmark::State& state, const std::function<std::string(int)>& text) {
    const auto& products = store().products;
    std::vector<std::string> texts;  // translated beforehand: the bare side gets what SQLite runs
    for (int id : products) texts.push_back(DBKernel::Dialect::translate(text(id)).statements.at(0));
    Bare db;
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.value(texts[next]));
        next = (next + 1) % texts.size();
    }
}

void CalcStock(benchmark::State& state) { layer(state, [](int id) { return Towar::calcStock(id); }); }
void BareStock(benchmark::State& state) { bare(state, [](int id) { return Towar::stockSql(id); }); }
void CalcReserved(benchmark::State& state) { layer(state, [](int id) { return Towar::calcReserved(id, 0); }); }
void BareReserved(benchmark::State& state) { bare(state, [](int id) { return Towar::reservedSql(id, 0); }); }

}  // namespace

BENCHMARK(BareStock)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(CalcStock)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(BareReserved)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(CalcReserved)->Unit(benchmark::kMicrosecond)->Iterations(20000);
