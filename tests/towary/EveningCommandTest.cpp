#include "tests/support/TowaryStore.h"

namespace {

using TestSupport::runTowary;

const std::string kUnregisteredStep = "{E2000000-0000-0000-0000-000000000001}";

class EveningCommand : public TestSupport::TowaryStore {
protected:
    std::string logFile() const { return dir_ + "/log/evening-2011-01-01.log"; }

    std::string log() const { return TestSupport::readFile(logFile()); }
};

TEST_F(EveningCommand, RunsTheListedStepsLogsThemToADatedFileAndFailsWhenOneFails) {
    set("Parametry programu / Odczyt wieczorny / Kroki", "");
    expectOutput(runTowary({"evening", dir_, "--day", "2011-01-01"}),
                 "Odczyt wieczorny, dzień 2011-01-01\n"
                 "Ustawienia sklepu nie wymieniają żadnych kroków.\n"
                 "Dziennik: " + logFile() + "\n");
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, kroków: 0\n"});

    set("Parametry programu / Odczyt wieczorny / Kroki", kUnregisteredStep + "; " + kUnregisteredStep);
    const auto failed = runTowary({"evening", dir_, "--day", "2011-01-01"});
    expectError(failed, "towary: Kroki zakończone błędem: 2 z 2; przyczyny są w dzienniku " + logFile() + ".\n");
    const std::string summary = "Odczyt wieczorny, dzień 2011-01-01\n"
                                "Krok                                    Status  Czas        Wynik\n" +
                                kUnregisteredStep + "  0       ";
    EXPECT_EQ(failed.out.substr(0, summary.size()), summary) << failed.out;
    EXPECT_NE(failed.out.find(" błąd\n" + kUnregisteredStep + "  0       "), std::string::npos) << failed.out;
    // A later run of the day appends to its log.
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, kroków: 2\n"});
    EXPECT_EQ(runTowary({"evening", dir_, "--day", "2011-01-01", "--step", kUnregisteredStep}).exitCode, 1);
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, na żądanie, kroków: 1\n"});
}

TEST_F(EveningCommand, ALogThatCannotBeWrittenFailsTheRun) {
    set("Parametry programu / Odczyt wieczorny / Kroki", "");
    std::filesystem::create_directories(dir_ + "/log");
    std::filesystem::create_symlink("/dev/full", logFile());  // a disk with no room left
    expectResult(runTowary({"evening", dir_, "--day", "2011-01-01"}),
                 {1, "Odczyt wieczorny, dzień 2011-01-01\nUstawienia sklepu nie wymieniają żadnych kroków.\n",
                  "towary: Nie można zapisać dziennika " + logFile() + ": brak miejsca na dysku.\n"});

    // No step runs without its record: the summary shows none ran.
    set("Parametry programu / Odczyt wieczorny / Kroki", kUnregisteredStep);
    expectResult(runTowary({"evening", dir_, "--day", "2011-01-01"}),
                 {1, "Odczyt wieczorny, dzień 2011-01-01\nKrok                                    Status  Czas        Wynik\n",
                  "towary: Nie można zapisać dziennika " + logFile() +
                      ": brak miejsca na dysku. Kolejnych kroków nie uruchomiono.\n"});
}

}  // namespace
