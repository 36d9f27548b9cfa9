#include "Core/EveningProcessing/EveningProcessingAction.h"

#include <stdexcept>

namespace EveningProcessing {

EveningProcessingAction::~EveningProcessingAction() = default;

void EveningProcessingAction::setStatus(int value, const std::string& message) {
    statusValue_ = value;
    statusMessage_ = message;
}

OdczytWieczornyAction::~OdczytWieczornyAction() = default;

Core::IUnknownPtr OdczytWieczornyAction::execute(const Core::IUnknownPtr& args) {
    auto arguments = Core::interface_cast<RunArguments>(args);
    if (!arguments) throw Core::castError();
    // Whatever way doExecute ends, the step lets go of the run and closes its own session.
    struct RunScope {
        OdczytWieczornyAction& action;
        ~RunScope() {
            action.ownSession_.reset();
            action.arguments_.reset();
        }
    } scope{*this};
    arguments_ = std::move(arguments);
    const bool allowed = arguments_->mode() == RunMode::fire ? canRunFromFire() : canExecute();
    if (allowed) doExecute();
    return std::make_shared<StepResult>(allowed, statusValue(), statusMessage());
}

bool OdczytWieczornyAction::canExecute() const {
    return true;
}

bool OdczytWieczornyAction::canRunFromFire() const {
    return false;
}

TSessionHolder OdczytWieczornyAction::session() {
    if (const auto& given = arguments().session()) return *given;
    if (!ownSession_) ownSession_ = TSessionHolder::open();
    return *ownSession_;
}

bool OdczytWieczornyAction::sessionGiven() const {
    return arguments().session().has_value();
}

int OdczytWieczornyAction::processingDay() const {
    return arguments().processingDay();
}

void OdczytWieczornyAction::log(const std::string& text) const {
    if (const auto& function = arguments().log()) function(text);
}

const LogFunction& OdczytWieczornyAction::logFunction() const {
    return arguments().log();
}

const RunArguments& OdczytWieczornyAction::arguments() const {
    if (!arguments_) throw std::logic_error("Akcja odczytu wieczornego sięga po dane przebiegu poza jego wykonaniem.");
    return *arguments_;
}

}  // namespace EveningProcessing
