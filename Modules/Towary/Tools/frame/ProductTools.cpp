// The module's entry point, called by the host at load, at unload and for
// thread notifications.

#include "Core/Debug/Debug.h"
#include "Core/Export.h"
#include "Core/registration/manageDllRegistations.h"
#include "Modules/Towary/Tools/frame/ModuleRegistration.h"

namespace {

Core::RegistrationsHolder& moduleRegistrations() {
    static Core::RegistrationsHolder holder;
    return holder;
}

}  // namespace

extern "C" TOWARY_EXPORT bool DllEntryPoint(void* instance, unsigned long reason, void* /*reserved*/) {
    Core::Debug::logDllEntryPoint(instance, reason, {"Modules/Towary/Tools/ProductTools", 65, "DllEntryPoint"});
    return Core::manageDllRegistationsAndDependencies(instance, reason, moduleRegistrations(), &Towary::registerModule);
}
