#include "Core/Action/ActionContainer.h"
#include "Core/BoostFunctionGetter.h"
#include "Core/CashRegister/Channel.h"
#include "Core/CashRegister/Record.h"
#include "Core/VisualComponents/BaseForm.h"
#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"
#include "apps/towary/register/TillListener.h"
#include "tests/devices/LabelStore.h"
#include "tests/support/Failure.h"
#include "tests/support/ScriptedDialogs.h"

#include <boost/make_shared.hpp>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <tuple>
#include <utility>

namespace {

using Towary::Host::TillListener;

TTowarCollection collectionOf(std::int64_t first, std::int64_t last) {
    TTowarCollection products;
    for (std::int64_t id = first; id <= last; ++id) {
        auto product = boost::make_shared<TTowar>();
        product->SetTowarRef(id);
        products.add(product);
    }
    return products;
}

// A till reading in a thread. For the pipe it also holds a reading end of its
// own from the start: a till reopens the pipe after each sender, and a loaded
// machine may not run its thread before the next sender's wait for a reader
// ends, or may let a sender in just as it closes; the held end spares the
// tests that race, which is the till's, not the sender's.
class TillInThread {
public:
    TillInThread(TillListener& till, std::optional<int> count, std::function<void(const std::string&)> line)
        : held_(till.port() == 0 ? ::open(Core::CashRegister::fifoPath("kasa").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                                 : -1),
          reader_([&till, count, line = std::move(line)] { till.listen(count, line); }) {}
    ~TillInThread() {
        if (held_ >= 0) ::close(held_);
    }

    void join() { reader_.join(); }

private:
    int held_;
    std::thread reader_;
};

class SendPlu : public LabelStore {
protected:
    SendPlu() { ::setenv("TOWARY_RUNTIME_DIR", (store_.path() / "run").c_str(), 1); }
    ~SendPlu() override { ::unsetenv("TOWARY_RUNTIME_DIR"); }

    // Sends the products' codes to a till listening in a thread; the lines it printed.
    std::vector<std::string> sendToTill(const TTowarCollection& products, int expected, const std::string& tag = "PLU0") {
        TillListener till(port_);
        if (port_) setSetting({"Parametry programu", "FrontOffice", "Potok komunikacji z kasą", "Port"}, till.port());
        std::vector<std::string> lines;
        TillInThread reader(till, std::nullopt, [&](const std::string& line) { lines.push_back(line); });
        EXPECT_EQ(Towar::sendPlu(products, tag), expected);
        reader.join();
        return lines;
    }

    std::optional<int> port_;
};

TEST(CashRegisterRecord, CrcAndNumbersAreLittleEndian) {
    using namespace Core::CashRegister;
    EXPECT_EQ(crc32("123456789"), 0xCBF43926U) << "the check value of the common CRC-32";
    EXPECT_EQ(littleEndian16(13), std::string("\x0D\x00", 2));
    EXPECT_EQ(littleEndian32(0xCBF43926U), "\x26\x39\xF4\xCB");

    RecordReader reader;
    const std::string good = "PLU1" + littleEndian16(3) + "123" + littleEndian32(crc32("123"));
    reader.feed(good.substr(0, 5));
    EXPECT_FALSE(reader.next());
    reader.feed(good.substr(5) + "PLU0" + littleEndian16(1) + "7" + std::string(4, '\0') + "PLU0");
    std::string read;
    while (const auto record = reader.next())
        read += record->tag + " " + record->code + (record->crcValid ? " ok\n" : " bad\n");
    EXPECT_EQ(read, "PLU1 123 ok\nPLU0 7 bad\n");
    EXPECT_EQ(reader.incomplete(), 4u) << "a short record is held back, not trusted";
    reader.feed(littleEndian16(-2));
    EXPECT_THROW(reader.next(), std::runtime_error);
}

TEST_F(SendPlu, ThousandsOfProductsArriveAsRecordsWithValidCrcsOverThePipeAndTcp) {
    DBKernel::TransactionGuard transaction(session_);
    for (int id = 1; id <= 2500; ++id) addProduct(id, std::to_string(100000 + id), 1);
    transaction.commit();
    // More products than one IN list of the statement takes; the till's reader,
    // whose record format the test above pins, decodes each of them.
    for (const std::string tag : {"PLU0", "PLU1"}) {
        if (tag == "PLU1") {
            port_ = 0;
            setSetting({"Parametry programu", "FrontOffice", "Potok komunikacji z kasą", "Host"}, "127.0.0.1");
        }
        const auto lines = sendToTill(collectionOf(1, 2500), 2500, tag);
        ASSERT_EQ(lines.size(), 2500u) << tag;
        EXPECT_EQ(lines.front() + ", " + lines.back(), tag + " 100001, " + tag + " 102500");
        EXPECT_EQ(std::ranges::count_if(lines, [](const auto& line) { return line.find("CRC") != line.npos; }), 0);
    }
}

TEST_F(SendPlu, ProductsWithoutACodeSendNothingAnEmptyCollectionMeansEveryProductAndNoTillFailsTheSending) {
    addProduct(1, "101", 1);
    addProduct(2, "102", 1, "0101", 3);
    addProduct(3, "103", 1);
    exec(session_, "update plu set byBlokada = 1 where lTowarRef = 3");
    EXPECT_EQ(sendToTill(TTowarCollection{}, 1), std::vector<std::string>{"PLU0 101"});
    EXPECT_EQ(Towar::sendPlu(collectionOf(7, 8), "PLU0"), std::nullopt) << "no product, no channel opened";

    TestSupport::addProduct(session_, 4, "Bez kodu");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Towar::sendPlu(collectionOf(4, 4), "PLU0"), 0) << "no code needs no till";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no warning that no till took codes when there were none";

    // No till listening fails the sending and says so.
    const auto file = Core::CashRegister::fifoPath("kasa");
    const auto send = [] { return TestSupport::failure([] { Towar::sendPlu(collectionOf(1, 1), "PLU0"); }); };
    const std::string noTill =
        "Żadna kasa nie odbiera kodów (potok " + file.string() + "); nie dostarczono kodów: 1 z 1.";
    EXPECT_EQ(send(), noTill);

    // A file under the pipe's name is no till, and its bytes stay as they were.
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "dane, których nikt nie nadpisze\n";
    EXPECT_EQ(send(), noTill);
    EXPECT_EQ(readFile(file), "dane, których nikt nie nadpisze\n");
}

// An argument as a product list hands it over: the getter of its selection, a form or not.
class ListArgument : public Core::IBoostFunction0Getter<TTowarCollectionPtr> {
public:
    explicit ListArgument(TTowarCollection products) : products_(boost::make_shared<TTowarCollection>(products)) {}
    boost::function<TTowarCollectionPtr()> getFunction() const override {
        return [products = products_] { return products; };
    }

private:
    TTowarCollectionPtr products_;
};
class FormArgument : public ListArgument, public FormKernel::IBaseForm {
public:
    using ListArgument::ListArgument;
};

TEST_F(SendPlu, ActionsReportTheCountToAFormOnlyForPlu0) {
    Core::Registrations registrations;
    registerSendProductToCashRegisterObjects(registrations);
    TestSupport::ScopedDialogs dialogs;
    addProduct(1, "101", 1);
    TestSupport::addProduct(session_, 2, "Bez kodu");

    const auto invoke = [](const char* guid, const Core::IUnknownPtr& argument) {
        Core::interface_cast<Core::IExecutor>(Core::Action::CContainer::instance().get(guid))->execute(argument);
    };
    TillListener till;
    TillInThread reader(till, 3, [](const std::string&) {});
    invoke(Towar::kDefaultSendPluActionGuid, std::make_shared<FormArgument>(collectionOf(2, 2)));
    invoke(Towar::kDefaultSendPluActionGuid, std::make_shared<FormArgument>(collectionOf(1, 2)));
    invoke(Towar::kDefaultSendPluActionGuid, std::make_shared<ListArgument>(collectionOf(1, 2)));
    invoke(Towar::kSendPluBringCashRegisterToFrontActionGuid, std::make_shared<FormArgument>(collectionOf(1, 2)));
    invoke(Towar::kDefaultSendPluActionGuid, std::make_shared<Core::Value<int>>(5));
    reader.join();
    EXPECT_EQ(dialogs->transcript(), "warning: Brak PLU do wysłania.\ninformation: Liczba wysłanych PLU: 1\n");
}

TEST_F(SendPlu, TwoSendersAtOnceTakeTurnsNoRecordIsSplitAndASenderGivesUpOnATillThatTakesNothing) {
    const auto fifo = Core::CashRegister::fifoPath("kasa");
    std::filesystem::create_directories(fifo.parent_path());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The till's end stays open throughout, so that each sender finds it whenever it comes.
    const int sharedTill = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    constexpr int kEach = 20000;
    std::atomic<int> sending{2};
    std::vector<std::thread> senders;
    for (const char* tag : {"PLU0", "PLU1"})
        senders.emplace_back([&sending, tag] {
            Core::CashRegister::Writer writer(".", "kasa", 0);
            for (int i = 0; i < kEach; ++i)
                writer.write(Core::CashRegister::encodeRecord(tag, std::to_string(5900000000000 + i)));
            EXPECT_NO_THROW(writer.close());
            --sending;
        });
    std::string bytes;
    for (bool last = false; !last;) {
        last = sending == 0;
        char buffer[65536];
        for (ssize_t got; (got = ::read(sharedTill, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(got));
        pollfd readable{sharedTill, POLLIN, 0};
        if (!last) ::poll(&readable, 1, 10);
    }
    for (auto& sender : senders) sender.join();
    ::close(sharedTill);

    Core::CashRegister::RecordReader reader;
    reader.feed(bytes);
    int records = 0, badCrcs = 0;
    std::string turns;  // the tag's last digit each time another sender's records begin
    while (const auto record = reader.next()) {
        ++records;
        badCrcs += record->crcValid ? 0 : 1;
        if (turns.empty() || turns.back() != record->tag.back()) turns += record->tag.back();
    }
    EXPECT_EQ(std::tuple(records, badCrcs, reader.incomplete()), std::tuple(2 * kEach, 0, 0u));
    EXPECT_TRUE(turns == "01" || turns == "10") << turns;

    // A sending gives up on a till that takes nothing and counts what it did not take.
    using namespace std::chrono_literals;
    const Core::CashRegister::Patience patience{1000ms, 1s, 1s};
    const std::string record = Core::CashRegister::encodeRecord("PLU0", "5901234123457");
    const std::string where = " (potok " + fifo.string() + "); nie dostarczono kodów: ";
    // The records sent, those the till reads before it stops, whether it closes then, and the failure.
    const std::tuple<int, std::size_t, bool, std::string> cases[] = {
        {3, 0, false, "Kasa nie odbiera kodów od 1 s" + where + "3 z 3."},
        {400, 100, false, "Kasa nie odbiera kodów od 1 s" + where + "300 z 400."},
        {400, 100, true, "Kasa przestała odbierać kody" + where + "300 z 400."}};
    for (const auto& [sent, read, closes, failure] : cases) {
        int till = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        Core::CashRegister::Writer writer(".", "kasa", 0, patience);
        for (int i = 0; i < sent; ++i) writer.write(record);
        std::string taken(read * record.size(), '\0');
        EXPECT_EQ(::read(till, taken.data(), taken.size()), static_cast<ssize_t>(taken.size()));
        if (closes) ::close(std::exchange(till, -1));
        EXPECT_EQ(TestSupport::failure([&] { writer.close(); }), failure);
        if (till >= 0) ::close(till);
    }

    // A second sender waits its turn while the first has the till, as long as it says.
    const int till = ::open(fifo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    Core::CashRegister::Writer first(".", "kasa", 0, patience);
    first.write(record);
    Core::CashRegister::Writer second(".", "kasa", 0, patience);
    second.write(record);
    EXPECT_EQ(TestSupport::failure([&] { second.close(); }),
              "Kasa jest zajęta inną wysyłką kodów dłużej niż 1 s" + where + "1 z 1.");
    ::fcntl(till, F_SETFL, 0);  // the reader waits for the first sender's bytes
    std::string received;
    std::thread drain([&] {
        char buffer[256];
        for (ssize_t got; (got = ::read(till, buffer, sizeof buffer)) > 0;)
            received.append(buffer, static_cast<std::size_t>(got));
    });
    EXPECT_NO_THROW(first.close());
    drain.join();
    ::close(till);
    EXPECT_EQ(received, record) << "only the first sender's record reached the till";
}

}  // namespace
