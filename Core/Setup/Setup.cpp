#include "Core/Setup/Setup.h"

#include "Core/Setup/SettingsStore.h"
#include "Core/Store/StoreLocation.h"

namespace Core {

CSetup::CSetup() : CSetup(Store::settingsFile()) {}

CSetup::CSetup(const std::filesystem::path& file) : store_(std::make_shared<Setup::SettingsStore>(file)) {}

CSetup::~CSetup() = default;

Orvel::TKey CSetup::GetRootKey() const { return Orvel::TKey(store_, {}); }

const std::filesystem::path& CSetup::file() const { return store_->file(); }

}  // namespace Core
