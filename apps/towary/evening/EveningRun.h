#pragma once
// The evening run: evening steps, by GUID and in order, each invoked through
// the action registry with the run's session, the processing day and a log
// function, in a transaction of the step's own (committed when the step ends
// well, rolled back when it fails). A step that fails (throws, reports a
// failure of its own, or has no evening step behind its GUID) is logged with
// its message, and the steps after it still run. GUIDs are matched without
// regard to letter case. The whole log goes to a stream, every line stamped
// with the time it was written.

#include "Core/EveningProcessing/RunArguments.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace Towary::Host {

// The steps the store lists in the setting "Parametry programu / Odczyt
// wieczorny / Kroki": a text of GUIDs separated by line breaks, ";" or ",".
std::vector<std::string> listedEveningSteps();

struct StepReport {
    enum class Outcome { done, skipped, failed };

    std::string guid;
    Outcome outcome;
    int status;  // as the step reported it; 0 when it did not end
    std::chrono::duration<double> time;
};

class EveningRun {
public:
    // Called as each step starts: its number from 1, the number of steps, its GUID.
    using Progress = std::function<void(std::size_t number, std::size_t count, const std::string& guid)>;
    // Called as each step ends, with its report.
    using Finished = std::function<void(std::size_t number, const StepReport& report)>;

    EveningRun(int processingDay, std::ostream& log, EveningProcessing::RunMode mode = EveningProcessing::RunMode::nightly);

    // Runs the steps in order and reports each; once a line of the log cannot
    // be written, the steps after it are not run.
    std::vector<StepReport> run(const std::vector<std::string>& guids, const Progress& progress = {},
                                const Finished& finished = {}) const;
    // The system error (errno) that stopped the last run's log, 0 when every line was written.
    int logError() const { return logError_; }

private:
    int processingDay_;
    std::ostream& log_;
    EveningProcessing::RunMode mode_;
    mutable int logError_ = 0;
};

// The outcome as the run's log and summary name it: "wykonany", "pominięty", "błąd".
const char* outcomeText(StepReport::Outcome outcome);
// A step's time as the log and summary write it: "0.012 s".
std::string secondsText(std::chrono::duration<double> time);

}  // namespace Towary::Host
