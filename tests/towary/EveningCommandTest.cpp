#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using TestSupport::runTowary;

const std::string kNobody = "{E2000000-0000-0000-0000-000000000001}";

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
    EXPECT_NE(log().find(" Odczyt wieczorny, dzień 2011-01-01, kroków: 0\n"), std::string::npos) << log();

    set("Parametry programu / Odczyt wieczorny / Kroki", kNobody + "; " + kNobody);
    const auto failed = runTowary({"evening", dir_, "--day", "2011-01-01"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, "towary: Kroki zakończone błędem: 2 z 2; przyczyny są w dzienniku " + logFile() + ".\n");
    const std::string summary = "Odczyt wieczorny, dzień 2011-01-01\n"
                                "Krok                                    Status  Czas        Wynik\n" +
                                kNobody + "  0       ";
    EXPECT_EQ(failed.out.substr(0, summary.size()), summary) << failed.out;
    EXPECT_NE(failed.out.find(" błąd\n" + kNobody + "  0       "), std::string::npos) << failed.out;
    EXPECT_NE(log().find(" Odczyt wieczorny, dzień 2011-01-01, kroków: 2\n"), std::string::npos)
        << "a later run of the day appends to its log";

    const auto onDemand = runTowary({"evening", dir_, "--day", "2011-01-01", "--step", kNobody});
    EXPECT_EQ(onDemand.exitCode, 1);
    EXPECT_NE(log().find(" Odczyt wieczorny, dzień 2011-01-01, na żądanie, kroków: 1\n"), std::string::npos);

    expectBadUsage(runTowary({"evening", dir_, "--day", "2011-02-29"}),
                   "Nieprawidłowa data: \"2011-02-29\". Datę podaje się jako RRRR-MM-DD.");
}

TEST_F(EveningCommand, ALogThatCannotBeWrittenFailsTheRun) {
    set("Parametry programu / Odczyt wieczorny / Kroki", "");
    std::filesystem::create_directories(dir_ + "/log");
    std::filesystem::create_symlink("/dev/full", logFile());  // a disk with no room left
    const auto none = runTowary({"evening", dir_, "--day", "2011-01-01"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "Odczyt wieczorny, dzień 2011-01-01\nUstawienia sklepu nie wymieniają żadnych kroków.\n");
    EXPECT_EQ(none.err, "towary: Nie można zapisać dziennika " + logFile() + ": brak miejsca na dysku.\n");

    // No step runs without its record: the summary shows none ran.
    set("Parametry programu / Odczyt wieczorny / Kroki", kNobody);
    const auto stopped = runTowary({"evening", dir_, "--day", "2011-01-01"});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, "Odczyt wieczorny, dzień 2011-01-01\n"
                           "Krok                                    Status  Czas        Wynik\n");
    EXPECT_EQ(stopped.err, "towary: Nie można zapisać dziennika " + logFile() +
                               ": brak miejsca na dysku. Kolejnych kroków nie uruchomiono.\n");
}

}  // namespace
