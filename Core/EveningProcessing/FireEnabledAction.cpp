#include "Core/EveningProcessing/FireEnabledAction.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <utility>

namespace EveningProcessing {

FireEnabledAction::FireEnabledAction(std::string name) : name_(std::move(name)) {}

FireEnabledAction::~FireEnabledAction() = default;

bool FireEnabledAction::canExecute() const {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry programu", "Odczyt wieczorny", "Akcje", name_, "Włączone"})
        .GetVal<bool>();
}

bool FireEnabledAction::canRunFromFire() const {
    return canRunOnDemand();
}

bool FireEnabledAction::canRunOnDemand() {
    return true;
}

}  // namespace EveningProcessing
