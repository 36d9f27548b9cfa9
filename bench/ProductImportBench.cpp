// Importing a product file of 100 000 products with 200 000 codes into a new
// store, against bare SQLite inserts of the same rows (prepared once, bound
// per row, one transaction) in the same process; and generating a store of
// 200 000 products. Each run makes a new store; only the import, the inserts
// or the generation is timed.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Core/Database/Dialect/Dialect.h"
#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/Csv.h"
#include "Core/tools/Gs1.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/products/ProductImport.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/TempStore.h"

namespace {

constexpr std::int64_t kProducts = 100000;
constexpr std::int64_t kCodesPerProduct = 2;
constexpr std::int64_t kRows = kProducts * (1 + kCodesPerProduct);

struct Product {
    std::int64_t id;
    std::string name, shortName, group, article;
    std::int64_t vat, type, weighed, unit;
    double price, margin, created;
};

struct Code {
    std::int64_t id;
    std::string code;
    std::int64_t product, unit, status;
};

// The rows, and the product file that holds them, made once.
struct Data {
    Data() {
        for (std::int64_t i = 1; i <= kProducts; ++i) {
            const auto id = i * 3;
            products.push_back({id, "Towar " + std::to_string(i) + " Mleczna Dolina 1 l", "Towar " + std::to_string(i),
                                "010101001" + std::to_string(100 + i % 40), std::to_string(100000 + i),
                                i % 2 == 0 ? 13 : 9, 4, i % 12 == 0 ? 1 : 0, i % 12 == 0 ? 3 : 1,
                                static_cast<double>(99 + i % 9000) / 100, 25.5,
                                45000 + static_cast<double>(i % 700) / 7});
            for (std::int64_t k = 1; k <= kCodesPerProduct; ++k) {
                const auto digits = std::to_string(590000000000 + i * 10 + k);
                codes.push_back({id + k, digits + Core::Gs1::checkDigit(digits), id, 1, k == 1 ? 1 : 3});
            }
        }
        std::ofstream out(file.path() / "towary.csv", std::ios::binary);
        Core::Csv::Writer writer(out);
        writer.write(std::vector<std::string>{"lTowarRef", "sNazwa", "sKrNazwa", "sGrIndex", "sArtIndex", "byVAT",
                                              "byCode", "byTyp", "bWagowy", "nJmSprz", "dCenaSprzed", "nMarza",
                                              "czasUtworzenia", "lPluRef", "sPLU", "nJm", "byStatus"});
        auto text = [](double value) { return DBKernel::toString(DBKernel::ValueView(value)); };
        for (std::size_t i = 0; i < products.size(); ++i) {
            const auto& p = products[i];
            writer.write(std::vector<std::string>{std::to_string(p.id), p.name, p.shortName, p.group, p.article,
                                                  std::to_string(p.vat), "6", std::to_string(p.type),
                                                  std::to_string(p.weighed), std::to_string(p.unit), text(p.price),
                                                  text(p.margin), text(p.created), "", "", "", ""});
            for (std::int64_t k = 0; k < kCodesPerProduct; ++k) {
                const auto& c = codes[i * kCodesPerProduct + static_cast<std::size_t>(k)];
                writer.write(std::vector<std::string>{std::to_string(c.product), "", "", "", "", "", "", "", "", "", "",
                                                      "", "", std::to_string(c.id), c.code, std::to_string(c.unit),
                                                      std::to_string(c.status)});
            }
        }
    }
    std::filesystem::path path() const { return file.path() / "towary.csv"; }

    TestSupport::TempStore file;
    std::vector<Product> products;
    std::vector<Code> codes;
};

const Data& data() {
    static const Data made;
    return made;
}

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

void ImportProducts(benchmark::State& state) {
    const auto& rows = data();
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        const auto session = TSessionHolder::open();
        const auto start = Clock::now();
        const auto counts = Towary::Host::Products::importProducts(rows.path(), session);
        state.SetIterationTime(seconds(start));
        check(counts.products == kProducts && counts.codes == kProducts * kCodesPerProduct, "wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The same rows through sqlite3_* calls on a connection set up as the layer sets up its own.
void InsertBare(benchmark::State& state) {
    const auto& rows = data();
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                              nullptr) == SQLITE_OK,
              "open");
        sqlite3_exec(db, "pragma journal_mode = wal; pragma synchronous = normal; pragma foreign_keys = on", nullptr,
                     nullptr, nullptr);
        // The store's indexes on expressions call the dialect's functions.
        DBKernel::Dialect::registerFunctions(db);
        const auto start = Clock::now();
        sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr);
        sqlite3_stmt* product = nullptr;
        sqlite3_stmt* code = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into towar (lTowarRef, sNazwa, sKrNazwa, sGrIndex, sArtIndex, byVAT, byCode, byTyp,"
                           " bWagowy, nJmSprz, dCenaSprzed, nMarza, czasUtworzenia)"
                           " values (?, ?, ?, ?, ?, ?, 6, ?, ?, ?, ?, ?, ?)",
                           -1, &product, nullptr);
        sqlite3_prepare_v2(db, "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (?, ?, ?, ?, ?)", -1,
                           &code, nullptr);
        auto bindText = [](sqlite3_stmt* statement, int index, const std::string& text) {
            sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        };
        for (std::size_t i = 0; i < rows.products.size(); ++i) {
            const auto& p = rows.products[i];
            sqlite3_bind_int64(product, 1, p.id);
            bindText(product, 2, p.name);
            bindText(product, 3, p.shortName);
            bindText(product, 4, p.group);
            bindText(product, 5, p.article);
            sqlite3_bind_int64(product, 6, p.vat);
            sqlite3_bind_int64(product, 7, p.type);
            sqlite3_bind_int64(product, 8, p.weighed);
            sqlite3_bind_int64(product, 9, p.unit);
            sqlite3_bind_double(product, 10, p.price);
            sqlite3_bind_double(product, 11, p.margin);
            sqlite3_bind_double(product, 12, p.created);
            check(sqlite3_step(product) == SQLITE_DONE, "insert towar");
            sqlite3_reset(product);
            for (std::int64_t k = 0; k < kCodesPerProduct; ++k) {
                const auto& c = rows.codes[i * kCodesPerProduct + static_cast<std::size_t>(k)];
                sqlite3_bind_int64(code, 1, c.id);
                bindText(code, 2, c.code);
                sqlite3_bind_int64(code, 3, c.product);
                sqlite3_bind_int64(code, 4, c.unit);
                sqlite3_bind_int64(code, 5, c.status);
                check(sqlite3_step(code) == SQLITE_DONE, "insert plu");
                sqlite3_reset(code);
            }
        }
        sqlite3_finalize(product);
        sqlite3_finalize(code);
        check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr) == SQLITE_OK, "commit");
        state.SetIterationTime(seconds(start));
        sqlite3_close_v2(db);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// towary generate --products 200000, less making the store.
void GenerateStore(benchmark::State& state) {
    const auto products = state.range(0);
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        Core::SetupRegistration setup;
        const auto session = TSessionHolder::open();
        const auto start = Clock::now();
        const auto counts = Towary::Host::Products::generateProducts({products, 1}, session);
        state.SetIterationTime(seconds(start));
        check(counts.products == products, "wrong product count");
        state.counters["codes"] = static_cast<double>(counts.codes);
    }
    state.SetItemsProcessed(state.iterations() * products);
}

}  // namespace

BENCHMARK(InsertBare)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportProducts)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateStore)->Arg(200000)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
