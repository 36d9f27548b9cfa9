#pragma once
// Where the current store lives: a directory holding the settings file, the
// database and the logs. The host sets it once before any work is done.

#include <filesystem>

namespace Core::Store {

void setDirectory(const std::filesystem::path& directory);
// The store directory; throws std::logic_error when the host has set none.
const std::filesystem::path& directory();

std::filesystem::path settingsFile();   // DIR/towary.toml
std::filesystem::path databaseFile();   // DIR/towary.db
std::filesystem::path logDirectory();   // DIR/log

}  // namespace Core::Store
