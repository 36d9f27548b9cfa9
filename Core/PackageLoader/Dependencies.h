#pragma once
// The host's loader of modules' deferred dependencies. A module registers at
// attach; the host later calls loadDeferred(), which opens the libraries
// named in the module's "<module>.deps" file (one file name per line, "#"
// starts a comment) beside the module. The libraries stay loaded until exit.

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace Core::PackageLoaderWithDep {

class Dependencies {
public:
    static Dependencies& instance();

    // Records the module opened under the handle; other reasons are ignored.
    void registerForDeferredLoadDependencies(void* instance, unsigned long reason);
    // Opens the deferred dependencies of every recorded module not yet served.
    // Throws std::runtime_error naming the library and the loader's reason.
    void loadDeferred();
    // The paths of the recorded modules, in the order they registered.
    std::vector<std::filesystem::path> modules() const;

private:
    struct Module {
        std::filesystem::path path;
        bool loaded = false;
    };
    mutable std::mutex mutex_;
    std::vector<Module> modules_;
    std::vector<void*> opened_;
};

}  // namespace Core::PackageLoaderWithDep
