#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"

#include "Core/Action/ActionContainer.h"
#include "Modules/Towary/Tools/plu/CheckPluAction.h"
#include "Modules/Towary/Tools/plu/CheckPluMenuAction.h"

void registerSprawdzeniePoprawnosciPlu(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/M_clsSprawdzeniePoprawnosciPLU", __LINE__,
                               "registerSprawdzeniePoprawnosciPlu"};
    registrations.add(Core::regActionCreator(PLU::kCheckPluActionGuid, Core::creatorOf<PLU::CheckPluAction>(), source),
                      source);
    registrations.add(Core::regAction(std::make_shared<PLU::CheckPluMenuAction>(), source), source);
}
