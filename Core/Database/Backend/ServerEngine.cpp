#include "Core/Database/Backend/ServerEngine.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace DBKernel::Backend {
namespace {

// The engine's library lies beside Core's, in the build tree as where the host is installed.
std::filesystem::path engineLibrary() {
    Dl_info core{};
    if (dladdr(reinterpret_cast<const void*>(&serverEngine), &core) == 0 || core.dli_fname == nullptr)
        return "libCorePostgres.so";
    return std::filesystem::path(core.dli_fname).parent_path() / "libCorePostgres.so";
}

const ServerEngine& load() {
    const auto library = engineLibrary();
    // Never closed: the connections it opens run its code until the process ends.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw std::runtime_error(std::string("Nie można załadować obsługi serwera PostgreSQL: ") + dlerror());
    const auto entry = reinterpret_cast<decltype(&towaryServerEngine)>(dlsym(handle, "towaryServerEngine"));
    if (entry == nullptr)
        throw std::runtime_error("Biblioteka " + library.string() + " nie ma funkcji towaryServerEngine.");
    return *entry();
}

}  // namespace

const ServerEngine& serverEngine() {
    static const ServerEngine& engine = load();
    return engine;
}

}  // namespace DBKernel::Backend
