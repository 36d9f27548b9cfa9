#include "Core/EveningProcessing/RunArguments.h"

#include <utility>

namespace EveningProcessing {

RunArguments::RunArguments(std::optional<TSessionHolder> session, int processingDay, LogFunction log, RunMode mode)
    : session_(std::move(session)), processingDay_(processingDay), log_(std::move(log)), mode_(mode) {}

RunArguments::~RunArguments() = default;

StepResult::StepResult(bool executed, int status, std::string message)
    : executed_(executed), status_(status), message_(std::move(message)) {}

StepResult::~StepResult() = default;

}  // namespace EveningProcessing
