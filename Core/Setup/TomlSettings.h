#pragma once
// How the settings file's TOML holds the setup-key tree, for the store that
// reads it and the writer that edits it (internal to Core: toml++ does not
// leave the library). Names are TOML keys; a node with children is a table;
// a node holding a value and children keeps its own value under "@".

#include "Core/Setup/Key.h"

#include <toml++/toml.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Core::Setup {

// The key under which a table keeps its node's own value.
inline constexpr std::string_view kOwnValueKey = "@";

// The text of the settings file; throws std::runtime_error when it is missing or unreadable.
std::string readSettingsText(const std::filesystem::path& file);
[[noreturn]] void throwMissingSettingsFile(const std::filesystem::path& file);

// Parses the settings file's text. A syntax error, or a value the store
// cannot hold (arrays, dates, integers outside int, a table under "@"),
// throws std::runtime_error naming the file and the line.
toml::table parseSettings(std::string_view text, const std::filesystem::path& file);

// The node at the path, or nullptr when there is none.
const toml::node* findNode(const toml::table& root, const std::vector<std::string>& path);

// The value of a node: a plain value, or a table's "@" entry; none for nullptr.
Orvel::TValue nodeValue(const toml::node* node);

// The names of a node's children in the order of the file, "@" left out.
std::vector<std::string> childNames(const toml::node* node);

}  // namespace Core::Setup
