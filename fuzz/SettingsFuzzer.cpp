// The settings file on any text: a tree whose every node can be read, or a
// refusal naming the file.
#include "Core/Setup/TomlSettings.h"
#include "fuzz/FuzzSupport.h"

#include <vector>

namespace {

// Reads every node's value and children without recursion.
void readAll(const toml::table& root) {
    std::vector<const toml::node*> pending{&root};
    while (!pending.empty()) {
        const toml::node* node = pending.back();
        pending.pop_back();
        Core::Setup::nodeValue(node);
        for (const auto& name : Core::Setup::childNames(node)) pending.push_back(node->as_table()->get(name));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = Fuzz::text(data, size);
    try {
        readAll(Core::Setup::parseSettings(input, "towary.toml"));
    } catch (const std::runtime_error& e) {
        const std::string_view message = e.what();
        Fuzz::check(message.starts_with("Błąd w pliku ustawień towary.toml, wiersz ") ||
                        message.starts_with("Błąd składni pliku ustawień towary.toml, wiersz "),
                    "a refusal names the file and the line", input);
    }
    return 0;
}
