// The carrying out of the VAT changes of a day (CVATModifier::modify) on a
// generated store of 200 000 products, each with a pending change to another
// code, against bare SQLite running the same statements, as the dialect
// translates them, in the same process, with the same short names computed
// before the clock starts. Every run starts from a fresh copy of the
// generated database.

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Sql.h"
#include "Core/Setup/SettingsWriter.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "apps/towary/SampleLists.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/StoreGenerator.h"
#include "bench/BareSqlite.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bench::exec;
using Bench::openBare;
using Bench::prepare;
using Clock = std::chrono::steady_clock;
constexpr int kDay = 46000;
constexpr std::int64_t kProducts = 200000;

// The statements of modify, as it writes them.
const std::string kDue =
    "select zv.lzmianavatref, t.snazwa nazwa, zv.ltowarref, zv.ddata, zv.byvat VatTo, t.byvat VatFrom from "
    "zmianavat zv, towar t where (zv.ltowarref, zv.ddata) in ( select ltowarref, max(ddata) ddata from zmianavat "
    "where ddata <= " +
    std::to_string(kDay) + " group by ltowarref ) and zv.ltowarref = t.ltowarref and (bapplied = 0 or bapplied is null)";
const std::string kUpdate =
    "update towar set skrnazwa = :productName , byvat = :productVat where ltowarref = :productId";
const std::string kMarkApplied = "update zmianavat set bapplied = 1 where ddata <= " + std::to_string(kDay);

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string sqlite(const std::string& oracle) { return DBKernel::Dialect::translate(oracle).statements.at(0); }

// What each name costs: the product's name and target code, as modify reads them.
struct NameInput {
    std::string name;
    int vat;
};

struct Store {
    TestSupport::TempStore directory{TestSupport::TempStore::withDatabase};
    std::filesystem::path pristine = directory.path() / "pristine.db";
    Core::SetupRegistration setup;
    std::map<std::int64_t, std::string> shortNames;  // the bare side's names, by product
    std::vector<NameInput> names;

    Store() {
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        // The tills are not told: the comparison is of the database work.
        Core::Setup::writeSetting(Core::Store::settingsFile(),
                                  {"Parametry programu", "FrontOffice", "Serwer Kasowy", "Moduł transmisji do kasy"},
                                  std::string("Inny.dll"));
        const auto session = TSessionHolder::open();
        Towary::Host::fillSampleLists(session);
        Towary::Host::Products::generateProducts({kProducts, 1, 0.0}, session);
        DBKernel::Sql::Command("insert into zmianavat (lzmianavatref, ltowarref, ddata, byvat, bapplied, dczasmod) "
                               "select lTowarRef, lTowarRef, " +
                                   std::to_string(kDay) +
                                   ", case when byVAT = 13 then 12 else 13 end, 0, 46000 from towar where byCode = 6",
                               session)
            .execute();
        std::filesystem::copy_file(Core::Store::databaseFile(), pristine);
        const Core::ImplRegistration<Vat::AvailVatRates> rates;
        DBKernel::Sql::OpenedQuery due(kDue, session);
        while (due.next()) {
            names.push_back({due["nazwa"].asString(), due["VatTo"].asInt()});
            shortNames[due["ltowarref"].asInt64()] = Towar::CKrNazwaCreator(names.back().name, names.back().vat, kDay).get();
        }
    }

    void restore() const {
        std::filesystem::copy_file(pristine, Core::Store::databaseFile(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

const Store& store() {
    static Store made;
    return made;
}

void Modify(benchmark::State& state) {
    const auto& generated = store();
    const Core::ImplRegistration<Vat::AvailVatRates> rates;
    for (auto _ : state) {
        state.PauseTiming();
        generated.restore();
        state.ResumeTiming();
        const auto start = Clock::now();
        {
            auto session = TSessionHolder::open();
            DBKernel::TransactionGuard transaction(session);
            benchmark::DoNotOptimize(Towar::CVATModifier(session).modify(kDay));
            transaction.commit();
        }
        state.SetIterationTime(seconds(start));
    }
}

// The short names alone, made as modify makes them: a creator per product,
// each reading the two settings of short names.
void ShortNames(benchmark::State& state) {
    const auto& generated = store();
    const Core::ImplRegistration<Vat::AvailVatRates> rates;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const auto& input : generated.names)
            benchmark::DoNotOptimize(Towar::CKrNazwaCreator(input.name, input.vat, kDay).get());
        state.SetIterationTime(seconds(start));
    }
}

void BareModify(benchmark::State& state) {
    const auto& generated = store();
    const std::string dueText = sqlite(kDue);
    const std::string updateText = sqlite(kUpdate);
    const std::string markText = sqlite(kMarkApplied);
    for (auto _ : state) {
        state.PauseTiming();
        generated.restore();
        state.ResumeTiming();
        const auto start = Clock::now();
        sqlite3* db = openBare();
        exec(db, "begin immediate");
        sqlite3_stmt* due = prepare(db, dueText);
        sqlite3_stmt* update = prepare(db, updateText);
        const int nameIndex = sqlite3_bind_parameter_index(update, ":productname");
        const int vatIndex = sqlite3_bind_parameter_index(update, ":productvat");
        const int idIndex = sqlite3_bind_parameter_index(update, ":productid");
        // Read before the first write to their table, as the layer's loop sees them.
        struct Row {
            sqlite3_int64 product;
            int vatTo;
            int vatFrom;
        };
        std::vector<Row> rows;
        while (sqlite3_step(due) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(due, 1));
            rows.push_back({sqlite3_column_int64(due, 2), sqlite3_column_int(due, 4), sqlite3_column_int(due, 5)});
        }
        sqlite3_finalize(due);
        for (const auto& row : rows) {
            if (row.vatTo == row.vatFrom) continue;
            const auto& name = generated.shortNames.at(row.product);
            sqlite3_bind_text(update, nameIndex, name.c_str(), static_cast<int>(name.size()), SQLITE_STATIC);
            sqlite3_bind_int(update, vatIndex, row.vatTo);
            sqlite3_bind_int64(update, idIndex, row.product);
            if (sqlite3_step(update) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(update);
        }
        sqlite3_finalize(update);
        exec(db, markText);
        exec(db, "commit");
        sqlite3_close_v2(db);
        state.SetIterationTime(seconds(start));
        state.counters["changed"] = static_cast<double>(rows.size());
    }
}

}  // namespace

BENCHMARK(BareModify)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(ShortNames)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(Modify)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
