#pragma once
// The unit of the PLU check: its two actions, the interactive check of the
// service functions menu and the evening PLU repair, registered under their
// GUIDs.

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

namespace PLU {

// The evening-processing step; a new action object per run.
inline constexpr const char* kCheckPluActionGuid = "{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}";
// The menu action (".miInne.miFunkSerwis.miValidatePLU"); one object.
inline constexpr const char* kCheckPluMenuActionGuid = "{4F3F656B-310B-45D4-8D27-8137D2660431}";

}  // namespace PLU

TOWARY_EXPORT void registerSprawdzeniePoprawnosciPlu(Core::Registrations& registrations);
