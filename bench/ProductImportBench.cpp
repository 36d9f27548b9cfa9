// Importing a product file of 100 000 products with 200 000 codes into a new
// store, against the leanest bare SQLite inserts of the same rows (prepared
// once, bound per row, one transaction, the engine's best settings, no
// expression indexes) in the same process; and generating a store of 200 000
// products against the same bare inserts of the rows it writes. Each run makes
// a new store; only the import, the inserts or the generation is timed.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

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

// The leanest bare writer of rows into a new store: a connection with the
// engine's best settings for one large transaction (WAL and a durable commit as
// the store's, a page cache that holds the transaction, statement journals in
// memory), the tables without the two expression indexes, which only the
// search needs, and the ids reserved once before the rows.
class BareStore {
public:
    explicit BareStore(std::int64_t lastId) {
        check(sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                              nullptr) == SQLITE_OK,
              "open");
        run("pragma journal_mode = wal; pragma synchronous = full; pragma foreign_keys = on;"
            " pragma temp_store = memory; pragma cache_size = -262144");
        run("drop index towar_reversed_sArtIndex; drop index towar_upper_sNazwa");
        start_ = Clock::now();
        run("begin immediate");
        run("update RefGenerator set lastRef = " + std::to_string(lastId));
    }
    ~BareStore() { sqlite3_close_v2(db_); }

    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        check(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK, "prepare");
        return statement;
    }
    static void step(sqlite3_stmt* statement) {
        check(sqlite3_step(statement) == SQLITE_DONE, "insert");
        sqlite3_reset(statement);
    }
    // Commits; the seconds since the transaction began.
    double commit() {
        run("commit");
        return seconds(start_);
    }

private:
    void run(const std::string& sql) { check(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK, "exec"); }

    sqlite3* db_ = nullptr;
    Clock::time_point start_;
};

void InsertBare(benchmark::State& state) {
    const auto& rows = data();
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        BareStore bare(rows.codes.back().id);
        sqlite3_stmt* product =
            bare.prepare("insert into towar (lTowarRef, sNazwa, sKrNazwa, sGrIndex, sArtIndex, byVAT, byCode, byTyp,"
                         " bWagowy, nJmSprz, dCenaSprzed, nMarza, czasUtworzenia)"
                         " values (?, ?, ?, ?, ?, ?, 6, ?, ?, ?, ?, ?, ?)");
        sqlite3_stmt* code = bare.prepare("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (?, ?, ?, ?, ?)");
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
            BareStore::step(product);
            for (std::int64_t k = 0; k < kCodesPerProduct; ++k) {
                const auto& c = rows.codes[i * kCodesPerProduct + static_cast<std::size_t>(k)];
                sqlite3_bind_int64(code, 1, c.id);
                bindText(code, 2, c.code);
                sqlite3_bind_int64(code, 3, c.product);
                sqlite3_bind_int64(code, 4, c.unit);
                sqlite3_bind_int64(code, 5, c.status);
                BareStore::step(code);
            }
        }
        sqlite3_finalize(product);
        sqlite3_finalize(code);
        state.SetIterationTime(bare.commit());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The rows the generator writes for a number of products, read once from a
// store it made: each table's column names and its rows' values.
struct GeneratedRows {
    struct Table {
        std::string name;
        std::vector<std::string> columns;
        std::vector<std::vector<sqlite3_value*>> rows;
    };
    explicit GeneratedRows(std::int64_t products) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        Core::SetupRegistration setup;
        Towary::Host::Products::generateProducts({products, 1}, TSessionHolder::open());
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(Core::Store::databaseFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK,
              "open");
        for (const char* name : {"towar", "plu"}) {
            auto& table = tables.emplace_back(Table{name, {}, {}});
            sqlite3_stmt* select = nullptr;
            check(sqlite3_prepare_v2(db, ("select * from " + table.name + " order by rowid").c_str(), -1, &select,
                                     nullptr) == SQLITE_OK,
                  "select");
            for (int i = 0; i < sqlite3_column_count(select); ++i) table.columns.emplace_back(sqlite3_column_name(select, i));
            while (sqlite3_step(select) == SQLITE_ROW) {
                auto& row = table.rows.emplace_back();
                for (int i = 0; i < sqlite3_column_count(select); ++i)
                    row.push_back(sqlite3_value_dup(sqlite3_column_value(select, i)));
            }
            sqlite3_finalize(select);
        }
        sqlite3_close_v2(db);
    }
    ~GeneratedRows() {
        for (auto& table : tables)
            for (auto& row : table.rows)
                for (auto* value : row) sqlite3_value_free(value);
    }
    GeneratedRows(const GeneratedRows&) = delete;
    GeneratedRows& operator=(const GeneratedRows&) = delete;
    std::vector<Table> tables;
};

// The generator's rows of 200 000 products written by the bare writer, bound value by value.
void InsertGeneratedBare(benchmark::State& state) {
    static const GeneratedRows generated(state.range(0));
    std::int64_t rows = 0;
    for (auto _ : state) {
        TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
        std::int64_t lastId = 0;
        for (const auto& table : generated.tables)
            for (const auto& row : table.rows) lastId = std::max<std::int64_t>(lastId, sqlite3_value_int64(row[0]));
        BareStore bare(lastId);
        rows = 0;
        for (const auto& table : generated.tables) {
            std::string columns, values;
            for (const auto& column : table.columns) {
                columns += (columns.empty() ? "" : ", ") + column;
                values += values.empty() ? "?" : ", ?";
            }
            sqlite3_stmt* insert = bare.prepare("insert into " + table.name + " (" + columns + ") values (" + values + ")");
            for (const auto& row : table.rows) {
                for (std::size_t i = 0; i < row.size(); ++i) sqlite3_bind_value(insert, static_cast<int>(i + 1), row[i]);
                BareStore::step(insert);
                ++rows;
            }
            sqlite3_finalize(insert);
        }
        state.SetIterationTime(bare.commit());
    }
    state.counters["rows"] = static_cast<double>(rows);
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
BENCHMARK(InsertGeneratedBare)->Arg(200000)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(GenerateStore)->Arg(200000)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
