#pragma once
// The entry-point helpers of a module: the module registration list is made
// and filled at process attach and cleared at process detach.

#include "Core/PackageLoader/Dependencies.h"
#include "Core/registration/DllReason.h"
#include "Core/registration/Registrations.h"

#include <memory>

namespace Core {

using RegistrationsHolder = std::unique_ptr<Registrations>;

template <class FunctionT>
bool manageDllRegistations(unsigned long reason, RegistrationsHolder& holder, FunctionT registerModule) {
    switch (reason) {
        case kProcessAttach:
            holder = std::make_unique<Registrations>();
            registerModule(*holder);
            return true;
        case kProcessDetach:
            if (!holder) return false;
            holder->clear();
            holder.reset();
            return true;
        default:
            return false;
    }
}

template <class FunctionT>
bool manageDllRegistationsAndDependencies(void* instance, unsigned long reason, RegistrationsHolder& holder,
                                          FunctionT registerModule) {
    const bool result = manageDllRegistations(reason, holder, registerModule);
    if (result && reason == kProcessAttach)
        PackageLoaderWithDep::Dependencies::instance().registerForDeferredLoadDependencies(instance, reason);
    return result;
}

}  // namespace Core
