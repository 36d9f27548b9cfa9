#include "Core/System/MachineRegistry.h"

#include <toml++/toml.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace Core::MachineRegistry {

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
    const toml::table* values = root[key].as_table();
    if (values == nullptr) return std::nullopt;
    const auto* text = (*values)[valueName].as_string();
    if (text == nullptr) return std::nullopt;
    return text->get();
}

}  // namespace Core::MachineRegistry
