#pragma once
// A loaded module: opened and attached at construction, detached and
// closed at destruction, as the host does for every module it runs.

#include <filesystem>
#include <string>

namespace Towary::Host {

class ModuleLoader {
public:
    // Opens the library and calls its entry point with process attach.
    // Throws std::runtime_error with the loader's reason when that fails.
    explicit ModuleLoader(const std::filesystem::path& library);
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Calls the entry point with a reason; returns its result.
    bool notify(unsigned long reason);
    // Detaches now; later calls and the destructor do nothing more.
    bool detach();
    void* handle() const { return handle_; }

    // The module library installed beside the running program.
    static std::filesystem::path defaultLibrary();

private:
    using EntryPoint = bool (*)(void*, unsigned long, void*);
    void* handle_ = nullptr;
    EntryPoint entry_ = nullptr;
    bool attached_ = false;
};

}  // namespace Towary::Host
