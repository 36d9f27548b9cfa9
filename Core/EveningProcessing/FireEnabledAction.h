#pragma once
// FireEnabledAction: an evening step that the store switches on and off in
// its settings and that a person may also run on demand. The nightly run
// runs it when the bool setting
//   Parametry programu / Odczyt wieczorny / Akcje / NAME / Włączone
// is true (missing, it is an error, as every setting); run on demand, it
// runs whatever that setting says.

#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/Export.h"

#include <string>

namespace EveningProcessing {

class TOWARY_EXPORT FireEnabledAction : public OdczytWieczornyAction {
public:
    // name: the step's key under "Akcje".
    explicit FireEnabledAction(std::string name);
    ~FireEnabledAction() override;

    bool canExecute() const override;
    bool canRunFromFire() const override;
    // The on-demand answer of these steps, for a step on another base that a
    // person may start as one of them.
    static bool canRunOnDemand();

    const std::string& name() const { return name_; }

private:
    std::string name_;
};

}  // namespace EveningProcessing
