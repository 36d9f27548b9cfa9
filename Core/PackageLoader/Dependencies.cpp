#include "Core/PackageLoader/Dependencies.h"

#include "Core/registration/DllReason.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace Core::PackageLoaderWithDep {
namespace {

std::filesystem::path modulePath(void* handle) {
    link_map* map = nullptr;
    if (handle == nullptr || dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return {};
    return map->l_name;
}

std::vector<std::string> listedLibraries(const std::filesystem::path& depsFile) {
    std::vector<std::string> names;
    std::ifstream in(depsFile);
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) continue;
        names.push_back(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
    }
    return names;
}

}  // namespace

Dependencies& Dependencies::instance() {
    static Dependencies loader;
    return loader;
}

void Dependencies::registerForDeferredLoadDependencies(void* instance, unsigned long reason) {
    if (reason != kProcessAttach) return;
    const auto path = modulePath(instance);
    std::lock_guard lock(mutex_);
    const bool known = std::any_of(modules_.begin(), modules_.end(), [&](const Module& m) { return m.path == path; });
    if (!path.empty() && !known) modules_.push_back({path});
}

void Dependencies::loadDeferred() {
    std::lock_guard lock(mutex_);
    for (auto& module : modules_) {
        if (module.loaded) continue;
        auto deps = module.path;
        deps += ".deps";
        for (const auto& name : listedLibraries(deps)) {
            const auto library = name.find('/') == std::string::npos ? module.path.parent_path() / name
                                                                     : std::filesystem::path(name);
            void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL);
            if (handle == nullptr)
                throw std::runtime_error("Nie można załadować biblioteki " + library.string() + " wymaganej przez " +
                                         module.path.filename().string() + ": " + dlerror());
            opened_.push_back(handle);
        }
        module.loaded = true;
    }
}

std::vector<std::filesystem::path> Dependencies::modules() const {
    std::lock_guard lock(mutex_);
    std::vector<std::filesystem::path> paths;
    for (const auto& module : modules_) paths.push_back(module.path);
    return paths;
}

}  // namespace Core::PackageLoaderWithDep
