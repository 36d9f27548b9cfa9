#pragma once
// Core::CSetup: the host's setup-key store, reached through
// Core::SingletonImplHolder (SingletonImplHolder::get<Core::CSetup>()). It is
// backed by the settings file of the store directory set when it is first
// used; the host registers it for the lifetime of a SetupRegistration.

#include "Core/Setup/Key.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <filesystem>
#include <memory>

namespace Core {

namespace Setup {
class SettingsStore;
}

class CSetup {
public:
    // The settings file of the current store (Core::Store::settingsFile()).
    CSetup();
    explicit CSetup(const std::filesystem::path& file);
    ~CSetup();
    CSetup(const CSetup&) = delete;
    CSetup& operator=(const CSetup&) = delete;

    // The root of the key tree; settings are reached from it by GetKey.
    Orvel::TKey GetRootKey() const;
    const std::filesystem::path& file() const;

private:
    std::shared_ptr<Setup::SettingsStore> store_;
};

// Registers CSetup as the implementation of the setup-key store while it lives.
using SetupRegistration = ImplRegistration<CSetup>;

}  // namespace Core
