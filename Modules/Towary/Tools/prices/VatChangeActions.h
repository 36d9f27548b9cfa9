#pragma once
// The actions of planned VAT changes, by GUID. registerVatModifierObjects
// registers the evening step, the menu action, the changes of a given day
// and the export that always refuses; registerVatModifierFuncObjects the
// three actions a person starts: today's changes after a question, the
// plan dialog and the PKWiU list import.

#include "Core/Export.h"
#include "Core/registration/Registrations.h"

namespace Towar {

// The evening step: on 2010-12-31 the built-in plan first, then the changes
// of the processing day, then on 2010-12-31 the renaming of two networks.
inline constexpr const char* kVatEveningStepGuid = "{3AB01777-7F9A-4134-B65C-515F0DDDFB38}";
// The menu action, in one transaction: plan, carry out the changes of the day
// (the argument's Core::IDateGetter, else today), rename; writes to the
// argument's Core::IOStreamGetter and returns the text as Core::IStatusGetter.
inline constexpr const char* kVatMainMenuGuid = "{271A1996-5A68-4DD8-B5F7-065F3847973E}";
// The changes of the argument's day in its session; the log as Core::IStatusGetter.
inline constexpr const char* kVatFireGuid = "{66390725-3922-4219-8F01-3BE7BA4C5C5D}";
inline constexpr const char* kVatExportGuid = "{1B76FAA0-96C1-4F28-8AEE-C17E84FF2991}";
inline constexpr const char* kChangeVatGuid = "{9DE6E2F4-B381-46E8-8EE4-5189E0EF6F18}";
inline constexpr const char* kPlanChangeVatGuid = "{8C236B1D-1483-47C8-85BB-4DCDE6DD3EDD}";
// The PKWiU list import; with a Core::IOStreamGetter argument each line's
// changes are written to its stream before the question.
inline constexpr const char* kChangeVatByPkwiuGuid = "{78DE81A9-2CAC-4BE3-B891-0DA3D78AD9C3}";

}  // namespace Towar

TOWARY_EXPORT void registerVatModifierFuncObjects(Core::Registrations& registrations);
TOWARY_EXPORT void registerVatModifierObjects(Core::Registrations& registrations);
