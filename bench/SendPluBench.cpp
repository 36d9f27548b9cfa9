// The codes of 100 000 products sent to a till listening on the store's FIFO
// (the till's listener in a thread, checking every CRC), against two bare
// sides writing the same records to the same listener, each built by hand in
// a buffer of one pipe's atomic write and written with write(2): one reads
// the codes from the store by bare SQLite, as the sending must; the other has
// them in memory already (the channel's own floor).

#include "Core/CashRegister/Channel.h"
#include "Core/CashRegister/Record.h"
#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/register/TillListener.h"
#include "bench/BareSqlite.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr int kProducts = 100000;

struct Store {
    Store() {
        Towary::Host::writeSampleSettings(Core::Store::settingsFile());
        ::setenv("TOWARY_RUNTIME_DIR", (store.path() / "run").c_str(), 1);
        TSessionHolder session;
        DBKernel::TransactionGuard transaction(session);
        DBKernel::Sql::Command product(
            "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, bWieleCen) values (:id, 'Towar', '0101', 6, 0)",
            session);
        DBKernel::Sql::Command code(
            "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (:id, :code, :id, 1, 1)", session);
        for (int id = 1; id <= kProducts; ++id) {
            product.Params["id"] = id;
            product.execute();
            codes.push_back(std::to_string(5900000000000LL + id));
            code.Params["id"] = id;
            code.Params["code"] = codes.back();
            code.execute();
            auto towar = boost::make_shared<TTowar>();
            towar->SetTowarRef(id);
            products.add(towar);
        }
        transaction.commit();
    }
    TestSupport::TempStore store{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup;
    std::vector<std::string> codes;
    TTowarCollection products;
};

Store& store() {
    static Store instance;
    return instance;
}

// Runs the sending against a till listening in a thread; fails the run unless every record arrived.
template <class Send>
void withTill(benchmark::State& state, Send send) {
    Towary::Host::TillListener till;
    int received = 0;
    std::thread reader([&] { received = till.listen(std::nullopt, [](const std::string&) {}); });
    send();
    reader.join();
    if (received != kProducts) state.SkipWithError("the till did not get every record");
}

// Each sending is of the same products in another order: a new statement text,
// as a sending of another selection is, so none finds its text translated and
// prepared already by the one before.
void BM_SendPlu(benchmark::State& state) {
    const auto& products = store().products;
    std::size_t first = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TTowarCollection rotated;
        for (std::size_t i = 0; i < products.size(); ++i) rotated.add(products[(first + i) % products.size()]);
        ++first;
        state.ResumeTiming();
        withTill(state, [&] { benchmark::DoNotOptimize(Towar::sendPlu(rotated, "PLU0")); });
    }
}
BENCHMARK(BM_SendPlu)->Unit(benchmark::kMillisecond)->UseRealTime();

// A record by hand into `out`: tag, length, code, CRC, the numbers little-endian.
char* putRecord(char* out, std::string_view code) {
    std::memcpy(out, "PLU0", 4);
    out[4] = static_cast<char>(code.size() & 0xFFU);
    out[5] = static_cast<char>(code.size() >> 8);
    std::memcpy(out + 6, code.data(), code.size());
    std::uint32_t crc = Core::CashRegister::crc32(code);
    for (int i = 0; i < 4; ++i, crc >>= 8) out[6 + code.size() + i] = static_cast<char>(crc & 0xFFU);
    return out + 10 + code.size();
}

// Writes the codes `next` gives (false at the end) in writes of at most one
// pipe buffer, each ending with a whole record, as the till's channel must.
template <class Next>
void bareSend(Next next) {
    const int fd = ::open(Core::CashRegister::fifoPath("kasa").c_str(), O_WRONLY);
    char buffer[PIPE_BUF];
    char* end = buffer;
    const auto flush = [&] {
        for (const char* done = buffer; done < end;) done += ::write(fd, done, static_cast<std::size_t>(end - done));
        end = buffer;
    };
    std::string_view code;
    while (next(code)) {
        if (static_cast<std::size_t>(end - buffer) + 10 + code.size() > sizeof buffer) flush();
        end = putRecord(end, code);
    }
    flush();
    ::close(fd);
}

// The channel's floor: the codes already in memory.
void BM_BareLoop(benchmark::State& state) {
    const auto& codes = store().codes;
    for (auto _ : state)
        withTill(state, [&] {
            auto code = codes.begin();
            bareSend([&](std::string_view& next) {
                if (code == codes.end()) return false;
                next = *code++;
                return true;
            });
        });
}
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

// The physical limit of the sending: the same codes read by bare SQLite (one
// statement, the lowest live code of each product whose id is in one list,
// its text written and prepared for each sending, as the ids are new each
// time) and written as by the bare loop.
void BM_BareSqlite(benchmark::State& state) {
    const auto& products = store().products;
    sqlite3* db = Bench::openBare();
    for (auto _ : state)
        withTill(state, [&] {
            std::string ids;
            for (const auto& product : products) {
                if (!ids.empty()) ids += ", ";
                ids += std::to_string(product->GetTowarRef());
            }
            sqlite3_stmt* codes = Bench::prepare(
                db, "select (select min(k.sPLU) from plu k where k.lTowarRef = t.lTowarRef and k.byStatus in (1, 2) "
                    "and coalesce(k.byBlokada, 0) = 0) from towar t where t.lTowarRef in (" + ids + ")");
            bareSend([&](std::string_view& next) {
                while (sqlite3_step(codes) == SQLITE_ROW) {
                    if (sqlite3_column_type(codes, 0) == SQLITE_NULL) continue;
                    next = {reinterpret_cast<const char*>(sqlite3_column_text(codes, 0)),
                            static_cast<std::size_t>(sqlite3_column_bytes(codes, 0))};
                    return true;
                }
                return false;
            });
            sqlite3_finalize(codes);
        });
    sqlite3_close(db);
}
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
