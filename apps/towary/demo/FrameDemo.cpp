// The module as the host sees it once loaded: what it registered.

#include "Core/Action/ActionContainer.h"
#include "Core/PackageLoader/Dependencies.h"
#include "apps/towary/demo/Demo.h"

#include <ostream>

namespace Towary::Host::Demo {

void frame(std::ostream& out) {
    for (const auto& module : Core::PackageLoaderWithDep::Dependencies::instance().modules())
        out << "Załadowany moduł: " << module.filename().string() << '\n';
    const auto registrations = Core::Action::CContainer::instance().registrations();
    out << "Zarejestrowane akcje: " << registrations.size() << '\n';
    for (const auto& registration : registrations)
        out << "  " << registration.guid << "  " << registration.source.function << '\n';
}

}  // namespace Towary::Host::Demo
