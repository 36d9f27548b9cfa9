// The evening release of unused scale numbers and the evening application of
// planned status changes, on generated stores of 100 000 and 200 000
// products (a third holding scale numbers, half of those unsold for long; a
// planned change for a quarter of the products), each against bare SQLite
// running the same statements, as the dialect translates them, in the same
// process. Every run starts from a fresh copy of the generated database.

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Sql.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/devices/ReleaseUnusedScaleNumbersAction.h"
#include "Modules/Towary/Tools/status/StatusChangeAction.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StoreGenerator.h"
#include "bench/BareSqlite.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <boost/format.hpp>

#include <array>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bench::exec;
using Bench::openBare;
using Bench::prepare;
using Clock = std::chrono::steady_clock;
constexpr int kDay = 46000;            // the processing day
constexpr int kThreshold = kDay - 90;  // the sample settings keep numbers for 90 days
constexpr int kLastDueDay = kDay + 1;  // planned changes up to tomorrow fall due

// The steps' statements, as the steps write them.
const std::string kUnused =
    (boost::format("\n select t.sartindex, t.nwagasekcja, t.nwagaplu, t.ltowarref\n from towar t\n "
                   "where (t.nwagasekcja is not null or t.nwagaplu is not null)\n and "
                   "nvl(t.dataostsprzed, nvl(t.czasutworzenia, borlandsysdate)) < %1%") %
     kThreshold)
        .str();
const std::string kRelease =
    "\n update towar t\n set t.nwagaplu = null, t.nwagasekcja = null\n where t.ltowarref = :ltowarref";
const std::string kDue =
    (boost::format(
         "select\n\tstatuschangeid\n\t, productid\n\t, status newStatus\n\t, t.nstatusaktywnosci oldStatus\nfrom"
         "\n\tstatuschange zv, towar t\nwhere\n\t(zv.productid, zv.changedate) in\n\t(select\n\t\tproductid\n\t\t, "
         "max(changedate) ddata\n\tfrom\n\t\tstatuschange\n\twhere\n\t\tchangedate <= %1%\n\tgroup by\n\t\tproductid)"
         "\n\tand zv.productid = t.ltowarref\n\tand (applied = 0 or applied is null)") %
     kLastDueDay)
        .str();
const std::string kSetStatus = "\n update towar set\n nstatusaktywnosci = :status\n where ltowarref = :productId";
const std::string kMarkApplied =
    (boost::format("update StatusChange set applied = 1\nwhere ChangeDate <= %1%") % kLastDueDay).str();

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string sqlite(const std::string& oracle) { return DBKernel::Dialect::translate(oracle).statements.at(0); }

// A generated store of `products` products with scale numbers and planned changes, kept as a pristine copy.
struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    std::filesystem::path pristine = directory.path() / "pristine.db";

    explicit Store(std::int64_t products) {
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        {
            const auto session = TSessionHolder::open();
            Towary::Host::Products::generateProducts({products, 1, 0.0}, session);
            for (const std::string& statement :
                 {"update towar set nWagaSekcja = lTowarRef % 9 + 1, nWagaPLU = (lTowarRef / 9) % 99999 + 1,"
                  " dataOstSprzed = case when lTowarRef % 2 = 0 then " +
                      std::to_string(kThreshold - 30) + " else " + std::to_string(kDay - 1) +
                      " end where byCode = 6 and lTowarRef % 3 = 0",
                  std::string("update towar set nStatusAktywnosci = 1 where byCode = 6"),
                  "insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod)"
                  " select lTowarRef, lTowarRef, lTowarRef % 8 + 1, " +
                      std::to_string(kDay - 5) +
                      " + lTowarRef % 10, case when lTowarRef % 7 = 0 then 1 else 0 end, 46000"
                      " from towar where byCode = 6 and lTowarRef % 4 = 1"})
                DBKernel::Sql::Command(statement, session).execute();
        }
        std::filesystem::copy_file(Core::Store::databaseFile(), pristine);
    }

    void restore() const {
        std::filesystem::copy_file(pristine, Core::Store::databaseFile(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

struct Registered {
    Core::SetupRegistration setup;
    Core::Registrations registrations;
    Registered() {
        registerReleaseUnusedScaleNumbersActionObjects(registrations);
        registerStatusChangeActionObjects(registrations);
    }
};

// One store at a time: the current store directory is process-wide.
const Store& store(std::int64_t products) {
    static Registered registered;  // settings and steps, for as long as the stores
    static std::map<std::int64_t, std::unique_ptr<Store>> stores;
    static std::int64_t current = 0;
    auto& made = stores[products];
    if (!made) made = std::make_unique<Store>(products);
    if (current != products) Core::Store::setDirectory(made->directory.path());
    current = products;
    return *made;
}

// The step as the evening run runs it: in a transaction of the run's session, its log kept.
void runStep(benchmark::State& state, const char* guid) {
    const auto& generated = store(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        generated.restore();
        state.ResumeTiming();
        const auto start = Clock::now();
        {
            const auto session = TSessionHolder::open();
            std::vector<std::string> log;
            DBKernel::TransactionGuard transaction(session);
            auto args = std::make_shared<EveningProcessing::RunArguments>(
                session, kDay, [&log](const std::string& line) { log.push_back(line); });
            Core::Action::CContainer::invoke<EveningProcessing::StepResult>(&state, guid, args);
            transaction.commit();
            state.counters["logLines"] = static_cast<double>(log.size());
        }
        state.SetIterationTime(seconds(start));
    }
}

void Release(benchmark::State& state) { runStep(state, Towar::kReleaseUnusedScaleNumbersActionGuid); }

void BareRelease(benchmark::State& state) {
    const auto& generated = store(state.range(0));
    const std::string unusedText = sqlite(kUnused);
    const std::string releaseText = sqlite(kRelease);
    for (auto _ : state) {
        state.PauseTiming();
        generated.restore();
        state.ResumeTiming();
        const auto start = Clock::now();
        sqlite3* db = openBare();
        exec(db, "begin immediate");
        sqlite3_stmt* unused = prepare(db, unusedText);
        sqlite3_stmt* release = prepare(db, releaseText);
        std::size_t rows = 0;
        while (sqlite3_step(unused) == SQLITE_ROW) {
            for (int column = 0; column < 3; ++column) benchmark::DoNotOptimize(sqlite3_column_text(unused, column));
            sqlite3_bind_int64(release, 1, sqlite3_column_int64(unused, 3));
            if (sqlite3_step(release) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(release);
            ++rows;
        }
        sqlite3_finalize(unused);
        sqlite3_finalize(release);
        exec(db, "commit");
        sqlite3_close_v2(db);
        state.SetIterationTime(seconds(start));
        state.counters["released"] = static_cast<double>(rows);
    }
}

void StatusChange(benchmark::State& state) { runStep(state, Towar::kStatusChangeActionGuid); }

void BareStatusChange(benchmark::State& state) {
    const auto& generated = store(state.range(0));
    const std::string dueText = sqlite(kDue);
    const std::string setText = sqlite(kSetStatus);
    const std::string markText = sqlite(kMarkApplied);
    for (auto _ : state) {
        state.PauseTiming();
        generated.restore();
        state.ResumeTiming();
        const auto start = Clock::now();
        sqlite3* db = openBare();
        exec(db, "begin immediate");
        sqlite3_stmt* due = prepare(db, dueText);
        sqlite3_stmt* set = prepare(db, setText);
        const int statusIndex = sqlite3_bind_parameter_index(set, ":status");
        const int productIndex = sqlite3_bind_parameter_index(set, ":productid");
        std::size_t rows = 0;
        // The layer reads the rows before the first write to their table, as Oracle's reads see the store as it was.
        std::vector<std::array<sqlite3_int64, 3>> found;
        while (sqlite3_step(due) == SQLITE_ROW)
            found.push_back({sqlite3_column_int64(due, 1), sqlite3_column_int64(due, 2), sqlite3_column_int64(due, 3)});
        sqlite3_finalize(due);
        for (const auto& [product, newStatus, oldStatus] : found) {
            if (newStatus != oldStatus) {
                sqlite3_bind_int64(set, statusIndex, newStatus);
                sqlite3_bind_int64(set, productIndex, product);
                if (sqlite3_step(set) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
                sqlite3_reset(set);
            }
            ++rows;
        }
        sqlite3_finalize(set);
        exec(db, markText);
        exec(db, "commit");
        sqlite3_close_v2(db);
        state.SetIterationTime(seconds(start));
        state.counters["due"] = static_cast<double>(rows);
    }
}

}  // namespace

BENCHMARK(BareRelease)
    ->Arg(100000)
    ->Arg(200000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Release)->Arg(100000)->Arg(200000)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(
    benchmark::kMillisecond);
BENCHMARK(BareStatusChange)
    ->Arg(100000)
    ->Arg(200000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StatusChange)
    ->Arg(100000)
    ->Arg(200000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
