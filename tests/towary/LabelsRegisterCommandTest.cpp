#include "tests/support/ChildProcess.h"
#include "tests/support/TowaryStore.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;

class LabelsRegisterCommand : public TestSupport::TowaryStore {
protected:
    LabelsRegisterCommand() {
        ::setenv("TOWARY_RUNTIME_DIR", (scratch_.path() / "run").c_str(), 1);
        ::setenv("TOWARY_MACHINE_REGISTRY", (scratch_.path() / "brak.toml").c_str(), 1);
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode, bWieleCen, dCenaSprzed) values "
             "(1, 'Żurek śląski', '0101', '000001', 6, 0, 4.5), (2, 'Chleb', '0101', '000002', 6, 0, 3)",
             "insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (1, '5901234123457', 1, 1, 1), "
             "(2, '102', 2, 1, 1)");
        fs::create_directory(labels_);
    }
    ~LabelsRegisterCommand() override {
        ::unsetenv("TOWARY_RUNTIME_DIR");
        ::unsetenv("TOWARY_MACHINE_REGISTRY");
    }
    const fs::path till_ = scratch_.path() / "run" / "kasa";
    const fs::path labels_ = fs::path(dir_) / "metki";
};

TEST_F(LabelsRegisterCommand, CodesSentReachATillListeningInAnotherProcessWhichRemovesItsPipeHoweverItEnds) {
    TestSupport::RunResult till;
    std::atomic<bool> ended{false};
    std::thread listener([&] {
        till = TestSupport::runTowary({"register", "listen", dir_, "--count", "3"});
        ended = true;
    });
    // The till's pipe exists once its program has started.
    while (!ended && !fs::exists(till_)) std::this_thread::yield();
    expectCases("register", {{{"send", "1", "/000002"}, "Liczba wysłanych PLU: 2\n", 0},
                             {{"send", "2", "--front"}, "Liczba wysłanych PLU: 1\n", 0}});
    listener.join();
    expectResult(till, {0, "PLU0 5901234123457\nPLU0 102\nPLU1 102\nOdebrano rekordów: 3\n",
                        "Kasa czeka na kody: potok " + till_.string() + "\n"});
    EXPECT_FALSE(fs::exists(till_)) << "the till removes its pipe";
    // So does one stopped by a signal.
    for (const int signal : {SIGINT, SIGTERM}) {
        TestSupport::ChildProcess stopped(std::string(TOWARY_BIN_DIR) + "/towary", {"register", "listen", dir_});
        while (!fs::exists(till_)) std::this_thread::yield();
        EXPECT_EQ(stopped.kill(signal).exitCode, 128 + signal) << "the signal still ends it, as a shell expects";
        EXPECT_FALSE(fs::exists(till_)) << "signal " << signal;
    }
}

// The label record and the directory's refusals are the module's (tests/devices).
TEST_F(LabelsRegisterCommand, LabelFileAndCollectorOfProductsAndTheProductsALabelCannotShow) {
    const auto result = run("labels", {"file", "1", "2"});
    const std::string prefix = "Etykiety: 2, plik " + dir_ + "/metki/";
    ASSERT_EQ(result.out.substr(0, prefix.size()), prefix) << result.err;
    EXPECT_EQ(TestSupport::readFile(result.out.substr(18, result.out.size() - 19)),  // after "Etykiety: 2, plik "
              "1\t1\t\xAFurek \xB6l\xB1ski\t000001\t4.50\r\n2\t1\tChleb\t000002\t3.00\r\n")
        << "the name in ISO-8859-2, the lines ended by CR LF";
    fs::remove(result.out.substr(18, result.out.size() - 19));

    exec("update towar set dCenaSprzed = null where lTowarRef = 2");
    expectFailure(run("labels", {"file", "1", "/000002"}),
                  "Towar /000002 nie ma ceny sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku.");
    exec("update towar set dCenaSprzed = -0.5 where lTowarRef = 2", "update towar set sNazwa = 'Żurek\tśląski' where lTowarRef = 1");
    expectCases("labels", {{{"file", "2"}, "Towar 2 ma ujemną cenę sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku."},
                           {{"file", "/000001"}, "Nazwa towaru /000001 zawiera znak sterujący U+0009, który rozdzieliłby "
                                                 "wiersz etykiety. Nie zapisano pliku."}});
    EXPECT_TRUE(fs::is_empty(labels_)) << "no label file begun";

    // An invalid code never stops the collector in a script.
    exec("insert into plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (3, '12A', 2, 1, 1)");
    const std::string warning = "Kod PLU \"12A\" zawiera znaki inne niż cyfry. Kod 12A nie zostanie wysłany.";
    expectResult(run("labels", {"collector"}),
                 {0, "== Lista błędów: ==\nWystąpiły się następujące błędy:\n\n" + warning + "\n\nWysłano etykiety do "
                     "kolektora (" + dir_ + "/kolektor).\n", "Ostrzeżenie: " + warning + "\n"});
}

}  // namespace
