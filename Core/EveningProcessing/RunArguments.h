#pragma once
// What the evening run hands each of its steps, and what a step hands back.
// A step is an action registered by GUID; the run invokes it through the
// action registry with RunArguments and reads a StepResult from it.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"

#include <functional>
#include <optional>
#include <string>

namespace EveningProcessing {

// Takes one entry of the run's log: a line, or several separated by "\n".
using LogFunction = std::function<void(const std::string& text)>;

// Nightly: the run of the steps the store lists, each under its execute
// conditions. Fire: a person runs one step on demand, outside the list.
enum class RunMode { nightly, fire };

// Status values a step reports with setStatus. A step that reports nothing
// keeps statusNotReported; a value other than these two says the step ended
// with a failure of its own, which the run counts as a failed step.
inline constexpr int statusNotReported = 0;
inline constexpr int statusDone = 1;

class TOWARY_EXPORT RunArguments : public virtual Core::IUnknown {
public:
    // session: the run's session, or none (the step then opens its own).
    RunArguments(std::optional<TSessionHolder> session, int processingDay, LogFunction log,
                 RunMode mode = RunMode::nightly);
    ~RunArguments() override;

    const std::optional<TSessionHolder>& session() const { return session_; }
    // The day the run processes, a day number (Core/tools/DayNumber.h).
    int processingDay() const { return processingDay_; }
    const LogFunction& log() const { return log_; }
    RunMode mode() const { return mode_; }

private:
    std::optional<TSessionHolder> session_;
    int processingDay_;
    LogFunction log_;
    RunMode mode_;
};

class TOWARY_EXPORT StepResult : public virtual Core::IUnknown {
public:
    StepResult(bool executed, int status, std::string message);
    ~StepResult() override;

    // False when the step's conditions kept it from running.
    bool executed() const { return executed_; }
    int status() const { return status_; }
    const std::string& message() const { return message_; }
    // Ran and reported a failure of its own.
    bool failed() const { return executed_ && status_ != statusNotReported && status_ != statusDone; }

private:
    bool executed_;
    int status_;
    std::string message_;
};

}  // namespace EveningProcessing
