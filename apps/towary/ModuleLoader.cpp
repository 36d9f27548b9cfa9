#include "apps/towary/ModuleLoader.h"

#include "Core/registration/manageDllRegistations.h"

#include <dlfcn.h>

#include <stdexcept>

namespace Towary::Host {

ModuleLoader::ModuleLoader(const std::filesystem::path& library) {
    handle_ = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(std::string("Nie można załadować modułu: ") + dlerror());
    entry_ = reinterpret_cast<EntryPoint>(dlsym(handle_, "DllEntryPoint"));
    if (entry_ == nullptr) {
        dlclose(handle_);
        throw std::runtime_error("Moduł " + library.string() + " nie ma funkcji DllEntryPoint.");
    }
    try {
        attached_ = notify(Core::kProcessAttach);
    } catch (...) {
        // A unit failed to register: withdraw what the others registered before closing.
        notify(Core::kProcessDetach);
        dlclose(handle_);
        throw;
    }
    if (!attached_) {
        dlclose(handle_);
        throw std::runtime_error("Moduł " + library.string() + " odmówił załadowania.");
    }
}

ModuleLoader::~ModuleLoader() {
    detach();
    dlclose(handle_);
}

bool ModuleLoader::notify(unsigned long reason) { return entry_(handle_, reason, nullptr); }

bool ModuleLoader::detach() {
    if (!attached_) return false;
    attached_ = false;
    return notify(Core::kProcessDetach);
}

std::filesystem::path ModuleLoader::defaultLibrary() {
    return std::filesystem::canonical("/proc/self/exe").parent_path() / "libProductTools.so";
}

}  // namespace Towary::Host
