#include "tests/support/TowaryStore.h"

namespace {

const std::string kUnregisteredStep = "{E2000000-0000-0000-0000-000000000001}";
const std::string kSteps = "Parametry programu / Odczyt wieczorny / Kroki";
const std::string kHeader = "Odczyt wieczorny, dzień 2011-01-01\n";

using TestSupport::TowaryStore;

TEST_F(TowaryStore, EveningRunsTheListedStepsLogsThemToADatedFileAndFailsWhenOneFailsOrTheLogCannotBeWritten) {
    const auto evening = [this](std::vector<std::string> args = {}) {
        args.insert(args.begin(), {"--day", "2011-01-01"});
        return command("evening", args);
    };
    const std::string logFile = dir_ + "/log/evening-2011-01-01.log";
    const auto log = [&] { return TestSupport::readFile(logFile); };
    set(kSteps, "");
    expectOutput(evening(), kHeader + "Ustawienia sklepu nie wymieniają żadnych kroków.\nDziennik: " + logFile + "\n");
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, kroków: 0\n"});

    set(kSteps, kUnregisteredStep + "; " + kUnregisteredStep);
    const auto failed = evening();
    expectError(failed, "towary: Kroki zakończone błędem: 2 z 2; przyczyny są w dzienniku " + logFile + ".\n");
    const std::string step = kUnregisteredStep + "  0       ";
    EXPECT_EQ(failed.out.rfind(kHeader + "Krok                                    Status  Czas        Wynik\n" + step, 0), 0u)
        << failed.out;
    expectIn(failed.out, {" błąd\n" + step});
    // A later run of the day appends to its log.
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, kroków: 2\n"});
    EXPECT_EQ(evening({"--step", kUnregisteredStep}).exitCode, 1);
    expectIn(log(), {" Odczyt wieczorny, dzień 2011-01-01, na żądanie, kroków: 1\n"});

    // A log that cannot be written fails the run.
    set(kSteps, "");
    std::filesystem::remove(logFile);
    std::filesystem::create_symlink("/dev/full", logFile);  // a disk with no room left
    const std::string full = "towary: Nie można zapisać dziennika " + logFile + ": brak miejsca na dysku.";
    expectResult(evening(), {1, kHeader + "Ustawienia sklepu nie wymieniają żadnych kroków.\n", full + "\n"});
    // No step runs without its record: the summary shows none ran.
    set(kSteps, kUnregisteredStep);
    expectResult(evening(), {1, kHeader + "Krok                                    Status  Czas        Wynik\n",
                             full + " Kolejnych kroków nie uruchomiono.\n"});
}

}  // namespace
