#pragma once
// The evening run's actions. EveningProcessingAction is an action that
// reports a status (a value and a message text) to the run.
// OdczytWieczornyAction is the base of evening steps: execute receives the
// run's RunArguments, checks the step's conditions for the way it is run,
// calls the work slot doExecute, and returns a StepResult with the status.
//
// An evening step does its work in doExecute, not in execute. The evening
// run gives a step its session inside a transaction of the step's own,
// committed when the step ends well and rolled back when it throws; a step
// that needs an atomic part makes a DBKernel::TransactionGuard, which then
// marks a savepoint (StartTransaction on the run's session is an error). A
// failed write leaves the step's other writes in place. A step's creator
// makes a new object for every run.

#include "Core/Database/TSessionHolder.h"
#include "Core/EveningProcessing/RunArguments.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"

#include <memory>
#include <optional>
#include <string>

namespace EveningProcessing {

class TOWARY_EXPORT EveningProcessingAction : public Core::IExecutor {
public:
    ~EveningProcessingAction() override;

    // The status the run reads when the action ends; a later call replaces an earlier one.
    void setStatus(int value, const std::string& message);
    int statusValue() const { return statusValue_; }
    const std::string& statusMessage() const { return statusMessage_; }

private:
    int statusValue_ = statusNotReported;
    std::string statusMessage_;
};

class TOWARY_EXPORT OdczytWieczornyAction : public EveningProcessingAction {
public:
    ~OdczytWieczornyAction() override;

    // args: RunArguments (the cast error otherwise). Returns a StepResult;
    // an exception of doExecute passes to the run.
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override;

    // The execute conditions: whether the nightly run runs the step. Always, unless overridden.
    virtual bool canExecute() const;
    // Whether a person may run the step on demand. Never, unless overridden.
    virtual bool canRunFromFire() const;

protected:
    // The work slot: the step's work, with the run's session, day and log.
    virtual void doExecute() = 0;

    // The run's session; when the run gave none, a new session of the step's own,
    // opened at the first call and closed when the step ends.
    TSessionHolder session();
    bool sessionGiven() const;
    int processingDay() const;
    // Writes an entry to the run's log.
    void log(const std::string& text) const;
    const LogFunction& logFunction() const;

private:
    const RunArguments& arguments() const;

    std::shared_ptr<RunArguments> arguments_;  // set while execute runs
    std::optional<TSessionHolder> ownSession_;
};

}  // namespace EveningProcessing
