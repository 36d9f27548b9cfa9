#include "Core/Setup/TomlSettings.h"

#include "Core/Debug/Debug.h"

#include <boost/format.hpp>

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace Core::Setup {
namespace {

[[noreturn]] void fileError(const std::filesystem::path& file, std::size_t line, const std::string& text) {
    throw std::runtime_error(
        (boost::format("Błąd w pliku ustawień %1%, wiersz %2%: %3%") % file.string() % line % text).str());
}

[[noreturn]] void fileError(const std::filesystem::path& file, const toml::node& node, const std::string& text) {
    fileError(file, node.source().begin.line, text);
}

// How many levels one line of the file may open: the dots of dotted keys,
// the "[" of table headers and arrays, the "{" of inline tables. toml++ parses
// nested keys recursively, so a key of thousands of levels would overflow the
// stack; the module's settings nest a handful of levels.
constexpr int kMaxLevelsPerLine = 64;

// Refuses a line that opens more than kMaxLevelsPerLine levels, counting
// outside strings and comments; the text is not parsed yet.
void checkNesting(std::string_view text, const std::filesystem::path& file) {
    std::size_t line = 1;
    int levels = 0;
    std::string_view quote;  // the delimiter of the string the scan is in, empty outside strings
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\n') {
            ++line;
            levels = 0;
            if (quote.size() == 1) quote = {};  // a one-line string cannot go on; toml++ reports it
        } else if (!quote.empty()) {
            if (c == '\\' && quote.front() == '"' && at + 1 < text.size() && text[at + 1] != '\n') {
                ++at;
            } else if (text.substr(at, quote.size()) == quote) {
                at += quote.size() - 1;
                quote = {};
            }
        } else if (c == '#') {
            at = std::min(text.find('\n', at), text.size()) - 1;
        } else if (c == '"' || c == '\'') {
            quote = text.substr(at, text.substr(at, 3) == std::string(3, c) ? 3 : 1);
            at += quote.size() - 1;
        } else if ((c == '.' || c == '[' || c == '{') && ++levels > kMaxLevelsPerLine) {
            fileError(file, line,
                      (boost::format("więcej niż %1% poziomy zagnieżdżenia kluczy, tabel lub wartości w jednym "
                                     "wierszu.") %
                       kMaxLevelsPerLine)
                          .str());
        }
    }
}

const char* unsupportedKind(toml::node_type type) {
    switch (type) {
        case toml::node_type::array: return "tablica";
        case toml::node_type::date: return "data";
        case toml::node_type::time: return "godzina";
        case toml::node_type::date_time: return "data i godzina";
        default: return nullptr;
    }
}

void checkValue(const toml::node& node, const std::vector<std::string>& path, const std::filesystem::path& file) {
    if (const char* kind = unsupportedKind(node.type()))
        fileError(file, node,
                  (boost::format("klucz %1% ma wartość typu %2%; ustawienia przyjmują liczby całkowite (int), "
                                 "liczby (double), wartości logiczne (bool) i teksty.") %
                   Orvel::pathText(path) % kind)
                      .str());
    if (const auto* integer = node.as_integer()) {
        const int64_t value = integer->get();
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            fileError(file, node,
                      (boost::format("wartość %1% klucza %2% nie mieści się w zakresie typu int.") % value %
                       Orvel::pathText(path))
                          .str());
    }
}

void checkTable(const toml::table& table, std::vector<std::string>& path, const std::filesystem::path& file) {
    for (const auto& [key, node] : table) {
        if (key.str() == kOwnValueKey) {
            if (node.is_table())
                fileError(file, node,
                          (boost::format("\"@\" w kluczu %1% jest tabelą; pod \"@\" zapisuje się wartość klucza.") %
                           Orvel::pathText(path))
                              .str());
            checkValue(node, path, file);
            continue;
        }
        path.emplace_back(key.str());
        if (const auto* child = node.as_table())
            checkTable(*child, path, file);
        else
            checkValue(node, path, file);
        path.pop_back();
    }
}

}  // namespace

void throwMissingSettingsFile(const std::filesystem::path& file) {
    throw std::runtime_error("Brak pliku ustawień sklepu " + file.string() + ".");
}

std::string readSettingsText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(file)) throwMissingSettingsFile(file);
        throw std::runtime_error("Nie można odczytać pliku ustawień " + file.string() + ".");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

toml::table parseSettings(std::string_view text, const std::filesystem::path& file) {
    checkNesting(text, file);
    toml::table root;
    try {
        root = toml::parse(text, file.string());
    } catch (const toml::parse_error& e) {
        // The parser's own description is English and technical: it goes to the debug log.
        Debug::logLine("toml++: " + std::string(e.description()),
                       SrcInfo{"Core/Setup/TomlSettings", __LINE__, "parseSettings"});
        throw std::runtime_error(
            (boost::format("Błąd składni pliku ustawień %1%, wiersz %2%, kolumna %3%: zapis niezgodny z formatem "
                           "TOML. Sprawdź w tym miejscu, czy po nazwie klucza stoi znak = i wartość, czy tekst jest "
                           "w cudzysłowie, czy nawias [ ] nagłówka tabeli jest zamknięty i czy klucz się nie "
                           "powtarza.") %
             file.string() % e.source().begin.line % e.source().begin.column)
                .str());
    }
    std::vector<std::string> path;
    checkTable(root, path, file);
    return root;
}

const toml::node* findNode(const toml::table& root, const std::vector<std::string>& path) {
    const toml::node* node = &root;
    for (const auto& name : path) {
        const auto* table = node->as_table();
        if (table == nullptr || name == kOwnValueKey) return nullptr;
        node = table->get(name);
        if (node == nullptr) return nullptr;
    }
    return node;
}

Orvel::TValue nodeValue(const toml::node* node) {
    if (node == nullptr) return {};
    if (const auto* table = node->as_table()) return nodeValue(table->get(kOwnValueKey));
    if (const auto* integer = node->as_integer()) return static_cast<int>(integer->get());
    if (const auto* flag = node->as_boolean()) return flag->get();
    if (const auto* number = node->as_floating_point()) return number->get();
    if (const auto* text = node->as_string()) return text->get();
    return {};
}

std::vector<std::string> childNames(const toml::node* node) {
    // A name's place in the file is where its key first appears.
    const auto* table = node != nullptr ? node->as_table() : nullptr;
    if (table == nullptr) return {};
    std::vector<std::pair<toml::source_position, std::string>> children;
    for (const auto& [key, child] : *table)
        if (key.str() != kOwnValueKey) children.emplace_back(key.source().begin, key.str());
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (auto& child : children) names.push_back(std::move(child.second));
    return names;
}

}  // namespace Core::Setup
