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
// DIR/outbox/tills: what the store sends its cash registers as files (the VAT
// configuration of a day, the return reasons). Each file is written whole by
// Core::AtomicFile, so the tills' transmission never takes half of one.
std::filesystem::path tillOutbox();

}  // namespace Core::Store
