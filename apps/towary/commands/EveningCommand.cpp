// towary evening DIR [--day YYYY-MM-DD] [--step GUID]: the store's evening
// run. Runs the steps the store's settings list (or, with --step, one step
// on demand) for the processing day (today unless given), appends the whole
// log to DIR/log/evening-YYYY-MM-DD.log, prints a summary of the steps and
// fails when a step failed.

#include "Core/Store/StoreLocation.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/SystemError.h"
#include "apps/towary/Command.h"
#include "apps/towary/DayArgument.h"
#include "apps/towary/JsonDialogs.h"
#include "apps/towary/evening/EveningRun.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

struct EveningOptions {
    std::string day;   // "" for today
    std::string step;  // "" for the listed steps
};

std::ofstream openLog(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream log(file, std::ios::app);
    if (!log) throw std::runtime_error("Nie można otworzyć dziennika odczytu wieczornego " + file.string() + ".");
    return log;
}

// A log that lost lines (a full disk) fails the run, after the summary has told what the steps did.
void finishLog(std::ofstream& log, const std::filesystem::path& file, const EveningRun& run, bool stepsLeft) {
    errno = 0;
    log.flush();
    const int error = run.logError() != 0 ? run.logError() : errno;
    if (!log)
        throw std::runtime_error("Nie można zapisać dziennika " + file.string() + ": " +
                                 (error != 0 ? Core::systemErrorText(error) : std::string("błąd zapisu")) + "." +
                                 (stepsLeft ? " Kolejnych kroków nie uruchomiono." : ""));
}

// The outcome stands last: its Polish letters would upset the padding of a column after it.
void printSummary(const std::vector<StepReport>& reports, std::ostream& out) {
    out << std::left << std::setw(40) << "Krok" << std::setw(8) << "Status" << std::setw(12) << "Czas" << "Wynik\n";
    for (const auto& report : reports)
        out << std::setw(40) << report.guid << std::setw(8) << report.status << std::setw(12)
            << secondsText(report.time) << outcomeText(report.outcome) << '\n';
}

void runEvening(const EveningOptions& options, std::ostream& out) {
    const int day = dayOfArgument(options.day);
    const bool onDemand = !options.step.empty();
    const auto steps = onDemand ? std::vector<std::string>{options.step} : listedEveningSteps();
    const auto logFile = Core::Store::logDirectory() / ("evening-" + Core::DayNumber::toText(day) + ".log");
    auto log = openLog(logFile);

    const bool terminal = isatty(STDOUT_FILENO) != 0;
    auto* const json = JsonDialogs::installed();
    const auto progress = [&](std::size_t number, std::size_t count, const std::string& guid) {
        if (json)
            json->event({{"type", "step"}, {"number", number}, {"count", count}, {"guid", guid}, {"state", "started"}});
        else if (terminal)
            out << "Krok " << number << "/" << count << ": " << guid << "..." << std::endl;
    };
    const auto finished = [json](std::size_t number, const StepReport& report) {
        if (json)
            json->event({{"type", "step"}, {"number", number}, {"guid", report.guid}, {"state", "ended"},
                         {"outcome", outcomeText(report.outcome)}, {"status", report.status},
                         {"time", secondsText(report.time)}});
    };
    const EveningRun run(day, log, onDemand ? EveningProcessing::RunMode::fire : EveningProcessing::RunMode::nightly);
    const auto reports = run.run(steps, progress, finished);

    out << "Odczyt wieczorny, dzień " << Core::DayNumber::toText(day) << '\n';
    if (steps.empty())
        out << "Ustawienia sklepu nie wymieniają żadnych kroków.\n";
    else
        printSummary(reports, out);
    finishLog(log, logFile, run, reports.size() < steps.size());
    out << "Dziennik: " << logFile.string() << '\n';
    const auto failed = std::count_if(reports.begin(), reports.end(),
                                      [](const StepReport& report) { return report.outcome == StepReport::Outcome::failed; });
    if (failed > 0)
        throw std::runtime_error("Kroki zakończone błędem: " + std::to_string(failed) + " z " +
                                 std::to_string(reports.size()) + "; przyczyny są w dzienniku " + logFile.string() + ".");
}

}  // namespace

void addEveningCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("evening", "wykonuje kroki odczytu wieczornego sklepu i zapisuje je w dzienniku");
    addStoreArgument(*command, context);
    auto options = std::make_shared<EveningOptions>();
    command->add_option("--day", options->day, "dzień odczytu, RRRR-MM-DD (domyślnie dziś)")
        ->check(dayArgument());
    command->add_option("--step", options->step, "wykonuje tylko ten krok (GUID), na żądanie");
    command->callback([&context, options] {
        context.job = [options](std::ostream& out) { runEvening(*options, out); };
    });
}

}  // namespace Towary::Host
