#include "Core/Store/StoreLocation.h"

#include <stdexcept>

namespace Core::Store {
namespace {

std::filesystem::path& current() {
    static std::filesystem::path path;
    return path;
}

}  // namespace

void setDirectory(const std::filesystem::path& directory) { current() = std::filesystem::absolute(directory); }

const std::filesystem::path& directory() {
    if (current().empty()) throw std::logic_error("Nie wskazano katalogu sklepu.");
    return current();
}

std::filesystem::path settingsFile() { return directory() / "towary.toml"; }
std::filesystem::path databaseFile() { return directory() / "towary.db"; }
std::filesystem::path logDirectory() { return directory() / "log"; }
std::filesystem::path tillOutbox() { return directory() / "outbox" / "tills"; }

}  // namespace Core::Store
