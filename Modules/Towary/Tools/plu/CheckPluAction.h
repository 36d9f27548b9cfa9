#pragma once
// CheckPluAction: the evening PLU repair. It finds the codes that are not in
// canonical form, deletes and corrects what it may at once in the evening
// run's session, lists conflicts and texts that are no code for a person,
// and reports its whole log as the step's status message.

#include "Core/EveningProcessing/EveningProcessingAction.h"

namespace PLU {

class CheckPluAction : public EveningProcessing::OdczytWieczornyAction {
protected:
    void doExecute() override;
};

}  // namespace PLU
