// The codes of 100 000 products sent to a till listening on the store's FIFO
// (the till's listener in a thread, checking every CRC), against a bare loop
// that writes the same records to the same listener: each record built by
// hand, gathered in a 64 KiB buffer and written with write(2). The sending
// reads the codes from the store; the bare loop has them in memory already.

#include "Core/CashRegister/Channel.h"
#include "Core/CashRegister/Record.h"
#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "apps/towary/SampleSettings.h"
#include "apps/towary/register/TillListener.h"
#include "tests/support/TempStore.h"

#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
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

void BM_SendPlu(benchmark::State& state) {
    auto& products = store().products;
    for (auto _ : state) withTill(state, [&] { benchmark::DoNotOptimize(Towar::sendPlu(products, "PLU0")); });
}
BENCHMARK(BM_SendPlu)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareLoop(benchmark::State& state) {
    const auto& codes = store().codes;
    for (auto _ : state)
        withTill(state, [&] {
            const int fd = ::open(Core::CashRegister::fifoPath("kasa").c_str(), O_WRONLY);
            std::string buffer;
            const auto flush = [&] {
                for (std::size_t done = 0; done < buffer.size();)
                    done += static_cast<std::size_t>(::write(fd, buffer.data() + done, buffer.size() - done));
                buffer.clear();
            };
            for (const auto& code : codes) {
                if (buffer.size() > 65536 - 64) flush();
                buffer += "PLU0";
                buffer += Core::CashRegister::littleEndian16(static_cast<std::int16_t>(code.size()));
                buffer += code;
                buffer += Core::CashRegister::littleEndian32(Core::CashRegister::crc32(code));
            }
            flush();
            ::close(fd);
        });
}
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
