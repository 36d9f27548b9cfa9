// The previous prices a shelf-label run asks for: getPricesBeforePromotion on
// a store of 200 000 products and 1 000 000 sale conditions (five a product,
// twenty days each; a fifth of the products on promotion on the day, one in
// seven with an earlier promotion too), against the same statement text run
// by bare sqlite3 calls (as the dialect translates it, its functions
// registered on the bare connection), and against a hand-written query that finds the same rows
// through the indexes directly: one look-up of the latest earlier condition
// per promotion instead of a window over all of them. Each reads every
// column of every row it returns.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/prices/PriceBeforePromotion.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace {

constexpr int kDay = 46100;
constexpr int kProducts = 200000;

class Bare {
public:
    Bare() {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;  // one thread, as the layer's connections
        if (sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db_, flags, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        DBKernel::Dialect::registerFunctions(db_);
    }
    ~Bare() { sqlite3_close_v2(db_); }
    Bare(const Bare&) = delete;
    Bare& operator=(const Bare&) = delete;
    void exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string text = error;
            sqlite3_free(error);
            throw std::runtime_error(text);
        }
    }
    // Runs the query and reads every column of every row; returns the rows.
    int rows(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
            ++rows;
        }
        sqlite3_finalize(statement);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

// The store, made once for all the cases.
Bare& store() {
    static TestSupport::TempStore temp(TestSupport::TempStore::withDatabase);
    static Bare bare;
    static const bool filled = [] {
        auto& made = bare;
        made.exec("begin");
        made.exec("insert into promocja (lPromocjaRef, sNazwa) values (1, 'Promocja')");
        made.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
                  std::to_string(kProducts) +
                  ") insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, bWieleCen, dCenaSprzed, dPrzelicznik) "
                  "select i, 'Towar ' || i, '0101', 6, 0, 10 + i % 7, case when i % 3 = 0 then 0.5 end from n");
        // Condition k of product i runs from kDay - 82 + 20k for twenty days; the last one covers kDay.
        made.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
                  std::to_string(kProducts) +
                  "), k(j) as (select 0 union all select j + 1 from k where j < 4) "
                  "insert into warsprz (lTowarRef, dataOd, dataDo, dCenaSprzed, lPromoRef) "
                  "select i, " + std::to_string(kDay - 82) + " + 20 * j, " + std::to_string(kDay - 63) +
                  " + 20 * j, case when j = 4 and i % 5 = 0 then 6 + i % 5 else 9 + (i + j) % 6 end, "
                  "case when (j = 4 and i % 5 = 0) or (j = 3 and i % 7 = 0) then 1 end from n, k");
        made.exec("commit");
        made.exec("analyze");
        return true;
    }();
    benchmark::DoNotOptimize(filled);
    return bare;
}

std::string bareText(int mode) {
    return DBKernel::Dialect::translate(Towar::priceBeforePromotionSql(kDay, mode)).statements.at(0);
}

// Mode 1 by the indexes: each promotion of the day from the partial index,
// its adjoining earlier condition by product and last day.
std::string handWritten() {
    const auto day = std::to_string(kDay);
    return "select t.lTowarRef productId, p.dCenaSprzed previousPrice, c.dCenaSprzed currentPrice, c.dataOd, "
           "c.dataDo, t.nJmPrzelicznik, p.dCenaSprzed / (case when t.dPrzelicznik is null or t.dPrzelicznik = 0 "
           "then 1 else t.dPrzelicznik end) unitPrice from warsprz c join warsprz p on p.lTowarRef = c.lTowarRef "
           "and p.dataDo = c.dataOd - 1 and p.lPromoRef is null and p.dCenaSprzed > c.dCenaSprzed "
           "join towar t on t.lTowarRef = c.lTowarRef where c.lPromoRef is not null and c.dataDo >= " + day +
           " and c.dataOd <= " + day + " and ifnull(c.byDeleted, 0) = 0 and ifnull(c.byBlokada, 0) = 0";
}

void BM_Module(benchmark::State& state) {
    store();
    const int mode = static_cast<int>(state.range(0));
    std::size_t rows = 0;
    for (auto _ : state) rows = Towar::getPricesBeforePromotion({}, kDay, mode).size();
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Module)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

void BM_BareSameText(benchmark::State& state) {
    auto& bare = store();
    const auto text = bareText(static_cast<int>(state.range(0)));
    int rows = 0;
    for (auto _ : state) rows = bare.rows(text);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_BareSameText)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

void BM_BareByIndex(benchmark::State& state) {
    auto& bare = store();
    const auto text = handWritten();
    int rows = 0;
    for (auto _ : state) rows = bare.rows(text);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_BareByIndex)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
