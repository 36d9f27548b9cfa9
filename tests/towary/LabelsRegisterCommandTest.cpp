#include "tests/support/ChildProcess.h"
#include "tests/support/TowaryStore.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

class LabelsRegisterCommand : public TestSupport::TowaryStore {
protected:
    LabelsRegisterCommand() {
        ::setenv("TOWARY_RUNTIME_DIR", (scratch_.path() / "run").c_str(), 1);
        ::setenv("TOWARY_MACHINE_REGISTRY", (scratch_.path() / "brak.toml").c_str(), 1);
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen, dCenaSprzed) values "
             "(1, 'Żurek śląski', '0101', '000001', 6, 0, 4.5), (2, 'Chleb', '0101', '000002', 6, 0, 3)",
             "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (1, '5901234123457', 1, 1, 1), "
             "(2, '102', 2, 1, 1)");
    }
    ~LabelsRegisterCommand() override {
        ::unsetenv("TOWARY_RUNTIME_DIR");
        ::unsetenv("TOWARY_MACHINE_REGISTRY");
    }
};

TEST_F(LabelsRegisterCommand, CodesSentReachATillListeningInAnotherProcess) {
    TestSupport::RunResult till;
    std::atomic<bool> ended{false};
    std::thread listener([&] {
        till = TestSupport::runTowary({"register", "listen", dir_, "--count", "3"});
        ended = true;
    });
    // The till's pipe exists once its program has started.
    while (!ended && !std::filesystem::exists(scratch_.path() / "run" / "kasa")) std::this_thread::yield();
    expectOutput(run("register", {"send", "1", "/000002"}), "Liczba wysłanych PLU: 2\n");
    expectOutput(run("register", {"send", "2", "--front"}), "Liczba wysłanych PLU: 1\n");
    listener.join();
    EXPECT_EQ(till.exitCode, 0) << till.err;
    EXPECT_EQ(till.out, "PLU0 5901234123457\nPLU0 102\nPLU1 102\nOdebrano rekordów: 3\n");
    EXPECT_FALSE(std::filesystem::exists(scratch_.path() / "run" / "kasa")) << "the till removes its pipe";
}

// The label record and the directory's refusals are the module's (tests/devices).
TEST_F(LabelsRegisterCommand, LabelFileOfProductsAndAProductWithoutAPrice) {
    std::filesystem::create_directory(std::filesystem::path(dir_) / "metki");
    const auto result = run("labels", {"file", "1", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string prefix = "Etykiety: 2, plik " + dir_ + "/metki/";
    ASSERT_EQ(result.out.substr(0, prefix.size()), prefix);
    const std::string file = result.out.substr(18, result.out.size() - 19);  // after "Etykiety: 2, plik "
    EXPECT_EQ(TestSupport::readFile(file), "1\t1\t\xAFurek \xB6l\xB1ski\t000001\t4.50\r\n2\t1\tChleb\t000002\t3.00\r\n")
        << "the name in ISO-8859-2, the lines ended by CR LF";

    exec("update towar set dCenaSprzed = null where lTowarRef = 2");
    const auto files = [&] {
        const std::filesystem::directory_iterator all(std::filesystem::path(dir_) / "metki");
        return std::distance(all, std::filesystem::directory_iterator());
    };
    const auto before = files();
    expectError(run("labels", {"file", "1", "/000002"}),
                "towary: Towar /000002 nie ma ceny sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku.\n");
    EXPECT_EQ(files(), before) << "no label file begun";
}

TEST_F(LabelsRegisterCommand, AnInvalidCodeNeverStopsTheCollectorInAScript) {
    exec("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (3, '12A', 2, 1, 1)");
    const std::string warning = "Kod PLU \"12A\" zawiera znaki inne niż cyfry. Kod 12A nie zostanie wysłany.";
    expectResult(run("labels", {"collector"}),
                 {0, "== Lista błędów: ==\nWystąpiły się następujące błędy:\n\n" + warning + "\n\n" +
                         "Wysłano etykiety do kolektora (" + dir_ + "/kolektor).\n",
                  "Ostrzeżenie: " + warning + "\n"});
}

TEST_F(LabelsRegisterCommand, ALabelOfANegativePriceOrOfANameWithAControlCharacterIsRefused) {
    std::filesystem::create_directory(std::filesystem::path(dir_) / "metki");
    exec("update towar set dCenaSprzed = -0.5 where lTowarRef = 2",
         "update towar set sNazwa = 'Żurek\tśląski' where lTowarRef = 1");
    expectFailure(run("labels", {"file", "2"}),
                  "Towar 2 ma ujemną cenę sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku.");
    expectFailure(run("labels", {"file", "/000001"}),
                  "Nazwa towaru /000001 zawiera znak sterujący U+0009, który rozdzieliłby wiersz etykiety. Nie "
                  "zapisano pliku.");
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(dir_) / "metki"));
}

TEST_F(LabelsRegisterCommand, AListenerStoppedBySignalRemovesItsPipe) {
    const auto fifo = scratch_.path() / "run" / "kasa";
    for (const int signal : {SIGINT, SIGTERM}) {
        TestSupport::ChildProcess till(std::string(TOWARY_BIN_DIR) + "/towary", {"register", "listen", dir_});
        while (!std::filesystem::exists(fifo)) std::this_thread::yield();
        const auto result = till.kill(signal);
        EXPECT_EQ(result.exitCode, 128 + signal) << "the signal still ends it, as a shell expects";
        EXPECT_FALSE(std::filesystem::exists(fifo)) << "signal " << signal;
    }
}

}  // namespace

