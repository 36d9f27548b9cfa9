#include "Core/System/MachineRegistry.h"

#include "Core/tools/PolishText.h"

#include <toml++/toml.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace Core::MachineRegistry {
namespace {

// The registry's key paths and value names know no letter case
// ("SOFTWARE\\Teskal" is "Software\\Teskal"): the entry of that name in any case.
toml::node_view<const toml::node> entry(const toml::table& table, const std::string& name) {
    const std::string wanted = PolishText::toLower(name);
    for (const auto& [entryName, node] : table)
        if (PolishText::toLower(entryName.str()) == wanted) return toml::node_view<const toml::node>(node);
    return {};
}

}  // namespace

std::filesystem::path file() {
    const char* overridden = std::getenv("TOWARY_MACHINE_REGISTRY");
    return overridden != nullptr && *overridden != '\0' ? std::filesystem::path(overridden)
                                                          : std::filesystem::path("/etc/towary/registry.toml");
}

std::optional<std::string> readText(const std::string& key, const std::string& valueName) {
    const auto path = file();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    toml::table root;
    try {
        root = toml::parse_file(path.string());
    } catch (const toml::parse_error& e) {
        throw std::runtime_error("Plik konfiguracji komputera " + path.string() + " jest błędny (wiersz " +
                                 std::to_string(e.source().begin.line) + ").");
    }
    const toml::table* values = entry(root, key).as_table();
    if (values == nullptr) return std::nullopt;
    const auto* text = entry(*values, valueName).as_string();
    if (text == nullptr) return std::nullopt;
    return text->get();
}

}  // namespace Core::MachineRegistry
