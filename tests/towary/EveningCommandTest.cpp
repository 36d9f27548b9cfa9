#include "tests/support/TowaryStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using TestSupport::runTowary;

const std::string kNobody = "{E2000000-0000-0000-0000-000000000001}";

class EveningCommand : public TestSupport::TowaryStore {
protected:
    std::string logFile() const { return dir_ + "/log/evening-2011-01-01.log"; }

    std::string log() const {
        std::ifstream in(logFile());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
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
    const std::string text = log();
    EXPECT_NE(text.find(" Odczyt wieczorny, dzień 2011-01-01, kroków: 2\n"), std::string::npos)
        << "a later run of the day appends to its log";
    EXPECT_NE(text.find(" Krok 2/2: " + kNobody + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   BŁĄD: Brak akcji zarejestrowanej pod identyfikatorem " + kNobody + ".\n"),
              std::string::npos);

    const auto onDemand = runTowary({"evening", dir_, "--day", "2011-01-01", "--step", kNobody});
    EXPECT_EQ(onDemand.exitCode, 1);
    EXPECT_NE(log().find(" Odczyt wieczorny, dzień 2011-01-01, na żądanie, kroków: 1\n"), std::string::npos);

    expectBadUsage(runTowary({"evening", dir_, "--day", "2011-02-29"}),
                   "Nieprawidłowa data: \"2011-02-29\". Datę podaje się jako RRRR-MM-DD.");
}

}  // namespace
