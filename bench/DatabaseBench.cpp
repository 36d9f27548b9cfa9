// The database layer's overhead over bare SQLite calls on the same store
// file: a prepared select of one code by key, and a scan of 100 000 codes.
// Both sides read every column of every row into C++ values. When the PG*
// variables name a PostgreSQL server, the same cases on a store there, against
// bare libpq (one prepared statement, PQexecPrepared).

#include "Core/Database/Sql.h"
#include "bench/BarePostgres.h"
#include "Core/Store/StoreLocation.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <charconv>
#include <stdexcept>
#include <string>

namespace {

constexpr int codeCount = 100000;
const char* const selectByKey = "select lPluRef, sPLU, lTowarRef, nJm, byStatus from plu where lPluRef = :id";
const char* const scan = "select lPluRef, sPLU, lTowarRef, nJm, byStatus from plu";

// A store with 1000 products and 100 000 codes, made once for all benchmarks
// of an engine and removed at exit.
void fill() {
    TSessionHolder session = TSessionHolder::open();
    DBKernel::TransactionGuard guard(session);
    DBKernel::Sql::Command product("insert into towar (lTowarRef, sNazwa) values (:id, 'Towar ' || :id)", session);
    for (int id = 1; id <= 1000; ++id) {
        product.Params["id"] = id;
        product.execute();
    }
    DBKernel::Sql::Command code("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (:id, :plu, :towar, 1, 1)",
                                session);
    for (int id = 1; id <= codeCount; ++id) {
        code.Params["id"] = id;
        code.Params["plu"] = std::to_string(5900000000000LL + id);
        code.Params["towar"] = 1 + id % 1000;
        code.execute();
    }
    guard.commit();
}

// Makes the engine's store the current one.
void store() {
    static TestSupport::TempStore temp(TestSupport::TempStore::withDatabase);
    Core::Store::setDirectory(temp.path());
    static const bool filled = (fill(), true);
    (void)filled;
}

const Bench::ServerStore& serverStore() {
    static Bench::ServerStore server;
    server.use();
    static const bool filled = (fill(), true);
    (void)filled;
    return server;
}

// A bare connection set up as the layer sets up its own.
struct Bare {
    Bare() {
        store();
        if (sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_exec(db, "pragma journal_mode = wal; pragma foreign_keys = on; pragma case_sensitive_like = on",
                     nullptr, nullptr, nullptr);
    }
    ~Bare() { sqlite3_close_v2(db); }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        return statement;
    }
    sqlite3* db = nullptr;
};

struct Row {
    std::int64_t id, product, unit, status;
    std::string code;
};

Row readBare(sqlite3_stmt* statement) {
    return Row{sqlite3_column_int64(statement, 0), sqlite3_column_int64(statement, 2),
               sqlite3_column_int64(statement, 3), sqlite3_column_int64(statement, 4),
               std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, 1)))};
}

Row readBare(const PGresult* result, int row) {
    return Row{Bench::integerAt(result, row, 0), Bench::integerAt(result, row, 2), Bench::integerAt(result, row, 3),
               Bench::integerAt(result, row, 4), Bench::textAt(result, row, 1)};
}

Row readLayer(const DBKernel::Sql::Query& query) {
    return Row{query["lPluRef"].asInt64(), query["lTowarRef"].asInt64(), query["nJm"].asInt64(),
               query["byStatus"].asInt64(), query["sPLU"].asString()};
}

// Keys visited in a fixed scattered order, the same on both sides.
std::int64_t key(std::int64_t i) { return 1 + (i * 7919) % codeCount; }

void SelectByKeyBare(benchmark::State& state) {
    Bare bare;
    sqlite3_stmt* statement = bare.prepare("select lPluRef, sPLU, lTowarRef, nJm, byStatus from plu where lPluRef = ?");
    std::int64_t i = 0;
    for (auto _ : state) {
        sqlite3_bind_int64(statement, 1, key(i++));
        if (sqlite3_step(statement) != SQLITE_ROW) throw std::runtime_error("no row");
        benchmark::DoNotOptimize(readBare(statement));
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}

void SelectByKeyBarePostgres(benchmark::State& state) {
    Bench::BarePostgres bare(serverStore());
    bare.prepare("select_by_key", "select lPluRef, sPLU, lTowarRef, nJm, byStatus from plu where lPluRef = $1", 1);
    std::int64_t i = 0;
    for (auto _ : state) {
        char text[24];
        *std::to_chars(text, text + sizeof text - 1, key(i++)).ptr = '\0';
        const char* const values[] = {text};
        const auto result = bare.run("select_by_key", 1, values);
        if (PQntuples(result.get()) != 1) throw std::runtime_error("no row");
        benchmark::DoNotOptimize(readBare(result.get(), 0));
    }
}

void SelectByKeyLayer(benchmark::State& state, void (*use)()) {
    use();
    DBKernel::Sql::PreparedQuery query(selectByKey, TSessionHolder::open());
    std::int64_t i = 0;
    for (auto _ : state) {
        query.Params["id"] = key(i++);
        query.execute();
        benchmark::DoNotOptimize(readLayer(query));
    }
}

void ScanBare(benchmark::State& state) {
    Bare bare;
    sqlite3_stmt* statement = bare.prepare(scan);
    for (auto _ : state) {
        std::int64_t rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            benchmark::DoNotOptimize(readBare(statement));
            ++rows;
        }
        sqlite3_reset(statement);
        if (rows != codeCount) throw std::runtime_error("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * codeCount);
}

void ScanBarePostgres(benchmark::State& state) {
    Bench::BarePostgres bare(serverStore());
    bare.prepare("scan", scan, 0);
    for (auto _ : state) {
        const auto result = bare.run("scan", 0, nullptr);
        const int rows = PQntuples(result.get());
        for (int row = 0; row < rows; ++row) benchmark::DoNotOptimize(readBare(result.get(), row));
        if (rows != codeCount) throw std::runtime_error("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * codeCount);
}

void ScanLayer(benchmark::State& state, void (*use)()) {
    use();
    DBKernel::Sql::PreparedQuery query(scan, TSessionHolder::open());
    for (auto _ : state) {
        query.execute();
        std::int64_t rows = 0;
        while (query.next()) {
            benchmark::DoNotOptimize(readLayer(query));
            ++rows;
        }
        if (rows != codeCount) throw std::runtime_error("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * codeCount);
}

// The scan with the fields looked up once, before the loop.
void ScanLayerHeldFields(benchmark::State& state, void (*use)()) {
    use();
    DBKernel::Sql::PreparedQuery query(scan, TSessionHolder::open());
    for (auto _ : state) {
        query.execute();
        const auto id = query["lPluRef"], code = query["sPLU"], product = query["lTowarRef"], unit = query["nJm"],
                   status = query["byStatus"];
        std::int64_t rows = 0;
        while (query.next()) {
            benchmark::DoNotOptimize(
                Row{id.asInt64(), product.asInt64(), unit.asInt64(), status.asInt64(), code.asString()});
            ++rows;
        }
        if (rows != codeCount) throw std::runtime_error("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * codeCount);
}

void useServer() { serverStore(); }

}  // namespace

BENCHMARK(SelectByKeyBare);
BENCHMARK_CAPTURE(SelectByKeyLayer, sqlite, store);
BENCHMARK(ScanBare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScanLayer, sqlite, store)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScanLayerHeldFields, sqlite, store)->Unit(benchmark::kMillisecond);

namespace {

const bool serverCases = Bench::serverNamed() && [] {
    benchmark::RegisterBenchmark("SelectByKeyBarePostgres", SelectByKeyBarePostgres);
    benchmark::RegisterBenchmark("SelectByKeyLayer/postgresql", SelectByKeyLayer, useServer);
    benchmark::RegisterBenchmark("ScanBarePostgres", ScanBarePostgres)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ScanLayer/postgresql", ScanLayer, useServer)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ScanLayerHeldFields/postgresql", ScanLayerHeldFields, useServer)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
