// The PLU check and repair on a generated store of about a million codes, 1 %
// of the live ones malformed, against a bare SQLite scan of the check's join
// that only reads the rows (and the same scan through the database layer).
// The check's memory is the peak of the C++ heap while it runs, against the
// bytes of the rows it reads (texts as stored, 8 bytes an integer). When the
// PG* variables name a PostgreSQL server, the scans and the check also on a
// smaller store there, against the join run by bare libpq.

#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "Modules/Towary/Tools/plu/UpdatePlu.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StoreGenerator.h"
#include "bench/BarePostgres.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>

namespace {

std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void* allocate(std::size_t size, std::size_t alignment = 0) {
    if (size == 0) size = 1;
    // aligned_alloc wants a size that is a multiple of the alignment.
    void* block = alignment == 0 ? std::malloc(size) : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (block == nullptr) throw std::bad_alloc();
    const auto now = heapInUse += malloc_usable_size(block);
    auto peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void release(void* block) {
    if (block == nullptr) return;
    heapInUse -= malloc_usable_size(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
// The arenas of std::pmr allocate with an alignment.
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* block, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { release(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { release(block); }

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::int64_t kProducts = 816000;  // about a million codes
constexpr std::int64_t kServerProducts = 40000;  // about 50 000 codes

const std::string kJoin =
    " select p.splu plu, p.lpluref ID , t.sNazwa PNAME, t.sArtIndex PINDEX, t.ltowarref PRODUCTID"
    " from plu p, towar t where p.ltowarref = t.ltowarref   and (t.bycode = 6 or t.bytyp = 9)"
    "   and p.bystatus in (1, 2)";

// The timed part of a case: its wall time as the iteration's time, and the process's CPU
// time beside it ("cpuMs"), which on a server is the client's share alone (the layer's and
// libpq's), without what a case does before the part (opening a session).
struct Timing {
    Clock::time_point wall = Clock::now();
    std::clock_t cpu = std::clock();

    void record(benchmark::State& state) const {
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - wall).count());
        state.counters["cpuMs"] = 1e3 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    }
};

// The settings of the process, read from the current store's file.
void registerSetup() { static Core::SetupRegistration setup; }

// The generated store, made once; the repair works on copies of its database.
struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    bool settings = (Towary::Host::writeSampleSettings(Core::Store::settingsFile()), registerSetup(), true);
    std::filesystem::path pristine = directory.path() / "pristine.db";
    Towary::Host::Products::GeneratedCounts counts;

    Store() {
        {
            const auto session = TSessionHolder::open();
            counts = Towary::Host::Products::generateProducts({kProducts, 1, 1.0}, session);
        }
        std::filesystem::copy_file(Core::Store::databaseFile(), pristine);
    }

    // A fresh copy of the generated database as the store's.
    void restore() const {
        std::filesystem::copy_file(pristine, Core::Store::databaseFile(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

Store& store() {
    static Store instance;
    Core::Store::setDirectory(instance.directory.path());
    return instance;
}

// The same kind of store on the server, smaller.
struct ServerStore {
    Bench::ServerStore server;

    ServerStore() {
        server.use();
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        registerSetup();
        Towary::Host::Products::generateProducts({kServerProducts, 1, 1.0}, TSessionHolder::open());
    }
};

const Bench::ServerStore& serverStore() {
    static ServerStore instance;
    instance.server.use();
    return instance.server;
}

void useSqlite() { store(); }
void useServer() { serverStore(); }

void BareScan(benchmark::State& state) {
    store();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, kJoin.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        const Timing timing;
        std::size_t rows = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int text : {0, 2, 3}) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, text));
                bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, text));
            }
            for (int number : {1, 4}) benchmark::DoNotOptimize(sqlite3_column_int64(statement, number));
            bytes += 2 * sizeof(std::int64_t);
        }
        timing.record(state);
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
        state.counters["rows"] = static_cast<double>(rows);
        state.counters["rowMB"] = static_cast<double>(bytes) / 1e6;
    }
}

void BareScanPostgres(benchmark::State& state) {
    Bench::BarePostgres bare(serverStore());
    bare.prepare("join", kJoin, 0);
    for (auto _ : state) {
        const Timing timing;
        const auto result = bare.run("join", 0, nullptr);
        const int rows = PQntuples(result.get());
        for (int row = 0; row < rows; ++row) {
            for (int text : {0, 2, 3}) benchmark::DoNotOptimize(Bench::textAt(result.get(), row, text));
            for (int number : {1, 4}) benchmark::DoNotOptimize(Bench::integerAt(result.get(), row, number));
        }
        timing.record(state);
        state.counters["rows"] = static_cast<double>(rows);
    }
}

void LayerScan(benchmark::State& state, void (*use)()) {
    use();
    for (auto _ : state) {
        const auto session = TSessionHolder::open();
        const Timing timing;
        DBKernel::Sql::OpenedQuery rows(kJoin, session);
        while (rows.next()) {
            benchmark::DoNotOptimize(rows["PLU"].asString());
            benchmark::DoNotOptimize(rows["ID"].asInt64());
            benchmark::DoNotOptimize(rows["PNAME"].asString());
            benchmark::DoNotOptimize(rows["PINDEX"].asString());
            benchmark::DoNotOptimize(rows["PRODUCTID"].asInt64());
        }
        timing.record(state);
    }
}

void Check(benchmark::State& state, void (*use)()) {
    use();
    for (auto _ : state) {
        const auto session = TSessionHolder::open();
        const auto before = heapInUse.load();
        heapPeak = before;
        const Timing timing;
        const auto result = PLU::checkPlu(session);
        timing.record(state);
        state.counters["peakMB"] = static_cast<double>(heapPeak.load() - before) / 1e6;
        state.counters["toCorrect"] = static_cast<double>(result.toCorrect.size());
        state.counters["toDelete"] = static_cast<double>(result.toDelete.size());
        state.counters["conflicts"] = static_cast<double>(result.conflicts.size());
        state.counters["notCodes"] = static_cast<double>(result.notCodes.size());
    }
}

// The check, then the deletions and corrections in one transaction, as the menu action does on yes.
void CheckAndRepair(benchmark::State& state) {
    store();
    for (auto _ : state) {
        state.PauseTiming();
        store().restore();
        state.ResumeTiming();
        const auto session = TSessionHolder::open();
        const Timing timing;
        const auto result = PLU::checkPlu(session);
        DBKernel::TransactionGuard transaction(session);
        PLU::DeletePlu deletion(session);
        deletion.apply(result.toDelete);
        PLU::RepairPlu repair(session);
        repair.apply(result.toCorrect);
        transaction.commit();
        timing.record(state);
        state.counters["failed"] = static_cast<double>(deletion.failed().size() + repair.failed().size());
    }
}

}  // namespace

BENCHMARK(BareScan)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LayerScan, sqlite, useSqlite)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Check, sqlite, useSqlite)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAndRepair)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

namespace {

// The server's cases repeat more: a scan of its smaller store takes tens of milliseconds.
const bool serverCases = Bench::serverNamed() && [] {
    for (auto* server : {benchmark::RegisterBenchmark("BareScanPostgres", BareScanPostgres),
                         benchmark::RegisterBenchmark("LayerScan/postgresql", LayerScan, useServer),
                         benchmark::RegisterBenchmark("Check/postgresql", Check, useServer)})
        server->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
