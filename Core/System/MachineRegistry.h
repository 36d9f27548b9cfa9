#pragma once
// The local machine's registry, as the module reads it: a read-only machine
// configuration file, a TOML file whose tables are the registry keys written
// as their paths ("Software\\Teskal\\Zurovoveru") and whose text entries are
// the keys' values; key paths and value names are matched without regard to
// letter case, as the registry matches them. The file is $TOWARY_MACHINE_REGISTRY when that is set,
// else /etc/towary/registry.toml. Nothing here writes it: a key that is
// missing stays missing.

#include <filesystem>
#include <optional>
#include <string>

namespace Core::MachineRegistry {

std::filesystem::path file();

// The text value `valueName` of `key`; std::nullopt when the key cannot be
// opened (no file, no such key) or holds no text of that name. A file that
// is not valid TOML throws std::runtime_error naming the file and the line.
std::optional<std::string> readText(const std::string& key, const std::string& valueName);

}  // namespace Core::MachineRegistry
