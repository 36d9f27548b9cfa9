#pragma once
// CheckPluMenuAction: the PLU check of the service functions menu. It shows
// the codes that are not in canonical form in the host's text viewer and,
// when some may be deleted or corrected, asks before repairing them all in
// one transaction, which checks the codes again under the store's write lock
// and applies what was shown and still stands; codes the database refused
// are then shown. One object is registered; it keeps the findings of its
// last check between the report and the repair.

#include "Core/IUnknown.h"
#include "Modules/Towary/Tools/plu/PluInfo.h"

namespace PLU {

class CheckPluMenuAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override;
    std::string guid() const override;

private:
    PluCheckResult result_;
};

}  // namespace PLU
