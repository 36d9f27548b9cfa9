#include "Core/Setup/SettingsWriter.h"

#include "Core/Setup/FileWatch.h"
#include "Core/Setup/TomlSettings.h"
#include "Core/tools/AtomicFile.h"
#include "Core/tools/FileLock.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace Core::Setup {
namespace {

std::string quoted(const std::string& text) {
    std::ostringstream out;
    out << toml::toml_formatter{toml::value<std::string>{text}, toml::format_flags::allow_unicode_strings};
    return out.str();
}

std::string keyText(const std::string& name) {
    const bool bare = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
    return bare ? name : quoted(name);
}

std::string dottedKey(const std::vector<std::string>& names) {
    std::string key;
    for (const auto& name : names) key += (key.empty() ? "" : ".") + keyText(name);
    return key;
}

// Byte offsets of toml++ positions: lines count from 1, columns count code points from 1.
class TextIndex {
public:
    explicit TextIndex(const std::string& text) : text_(text) {
        for (std::size_t at = 0; at < text.size(); ++at)
            if (text[at] == '\n') lineStarts_.push_back(at + 1);
    }

    // The start of the line; the end of the text past the last line.
    std::size_t lineStart(std::size_t line) const {
        return line - 1 < lineStarts_.size() ? lineStarts_[line - 1] : text_.size();
    }

    std::size_t offset(const toml::source_position& position) const {
        std::size_t at = lineStart(position.line);
        for (auto column = position.column; column > 1 && at < text_.size(); --column) {
            ++at;
            while (at < text_.size() && (static_cast<unsigned char>(text_[at]) & 0xC0U) == 0x80U) ++at;
        }
        return at;
    }

    bool startsHeader(const toml::node& node) const {
        const std::size_t at = offset(node.source().begin);
        return at < text_.size() && text_[at] == '[';
    }

    std::string indentation(std::size_t line) const {
        const std::size_t start = lineStart(line);
        const std::size_t end = text_.find_first_not_of(" \t", start);
        return text_.substr(start, (end == std::string::npos ? text_.size() : end) - start);
    }

private:
    const std::string& text_;
    std::vector<std::size_t> lineStarts_{0};
};

// A [header] line and the table it defines. A header also makes the tables
// above it that have no header of their own; they share its position, and
// the table it defines is the deepest of them.
struct Header {
    std::size_t line;
    std::vector<std::string> path;
};

void collectHeaders(const toml::table& table, std::vector<std::string>& path, const TextIndex& index,
                    std::vector<Header>& headers) {
    for (const auto& [key, node] : table) {
        const auto* child = node.as_table();
        if (child == nullptr || child->is_inline()) continue;
        path.emplace_back(key.str());
        if (index.startsHeader(*child)) {
            const std::size_t line = child->source().begin.line;
            auto same = std::find_if(headers.begin(), headers.end(), [&](const Header& h) { return h.line == line; });
            if (same == headers.end())
                headers.push_back({line, path});
            else if (same->path.size() < path.size())
                same->path = path;
        }
        collectHeaders(*child, path, index, headers);
        path.pop_back();
    }
}

// One edit of the file's text towards a value at a path, made on a fresh parse of the text.
class EditStep {
public:
    EditStep(std::string& text, const std::filesystem::path& file)
        : text_(text), root_(parseSettings(text, file)), index_(text) {
        std::vector<std::string> path;
        collectHeaders(root_, path, index_, headers_);
        std::sort(headers_.begin(), headers_.end(), [](const Header& a, const Header& b) { return a.line < b.line; });
    }

    // True when the value is set; false when a key on the path that held
    // only a value was first turned into a table keeping it under "@".
    bool apply(const std::vector<std::string>& path, const std::string& value) {
        const toml::node* node = &root_;
        std::size_t depth = 0;
        for (; depth < path.size(); ++depth) {
            const auto* table = node->as_table();
            const toml::node* child = table != nullptr ? table->get(path[depth]) : nullptr;
            if (child == nullptr) break;
            node = child;
        }
        const std::vector<std::string> reached(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(depth));
        const auto* table = node->as_table();
        if (table == nullptr) {
            if (depth == path.size()) {
                replace(node->source(), value);
                return true;
            }
            giveChildren(reached);
            return false;
        }
        if (depth == path.size()) {
            if (const auto* own = table->get(kOwnValueKey)) {
                replace(own->source(), value);
                return true;
            }
            insertKey(reached, *table, {std::string(kOwnValueKey)}, value);
            return true;
        }
        insertKey(reached, *table, {path.begin() + static_cast<std::ptrdiff_t>(depth), path.end()}, value);
        return true;
    }

private:
    void replace(const toml::source_region& region, const std::string& value) {
        const std::size_t begin = index_.offset(region.begin);
        text_.replace(begin, index_.offset(region.end) - begin, value);
    }

    // The key `leaf`, written "name = value", becomes `name."@" = value`.
    void giveChildren(const std::vector<std::string>& leaf) {
        const std::vector<std::string> parentPath(leaf.begin(), leaf.end() - 1);
        refuseInline(parentPath);
        const auto& parent = *findNode(root_, parentPath)->as_table();
        const auto entry = parent.find(leaf.back());
        text_.insert(index_.offset(entry->first.source().end), "." + keyText(std::string(kOwnValueKey)));
    }

    void insertKey(const std::vector<std::string>& tablePath, const toml::table& table,
                   const std::vector<std::string>& rest, const std::string& value) {
        refuseInline(tablePath);
        if (!tablePath.empty() && !index_.startsHeader(table)) {
            // A table made by dotted keys: one more dotted key beside the others, in the same section.
            const std::size_t line = table.source().begin.line;
            const Header* section = sectionOf(line);
            std::vector<std::string> key(tablePath.begin() + static_cast<std::ptrdiff_t>(section ? section->path.size() : 0),
                                         tablePath.end());
            key.insert(key.end(), rest.begin(), rest.end());
            insertLineAfter(lastValueLine(table, section ? section->line : 0, sectionEnd(line), line),
                            dottedKey(key) + " = " + value);
            return;
        }
        const bool hasHeader = tablePath.empty() || std::any_of(headers_.begin(), headers_.end(), [&](const Header& h) {
                                   return h.path == tablePath;
                               });
        if (hasHeader && rest.size() == 1) {
            const std::size_t headerLine = tablePath.empty() ? 0 : table.source().begin.line;
            insertLineAfter(lastValueLine(table, headerLine, sectionEnd(headerLine), headerLine),
                            keyText(rest.front()) + " = " + value);
            return;
        }
        std::vector<std::string> header = tablePath;
        header.insert(header.end(), rest.begin(), rest.end() - 1);
        appendTable(header, rest.back(), value);
    }

    void insertLineAfter(std::size_t line, const std::string& entry) {
        std::string inserted = (line == 0 ? std::string() : index_.indentation(line)) + entry + "\n";
        const std::size_t at = line == 0 ? 0 : index_.lineStart(line + 1);
        if (at == text_.size() && !text_.empty() && text_.back() != '\n') inserted.insert(0, "\n");
        text_.insert(at, inserted);
    }

    void appendTable(const std::vector<std::string>& header, const std::string& key, const std::string& value) {
        if (!text_.empty()) text_ += text_.back() == '\n' ? "\n" : "\n\n";
        text_ += "[" + dottedKey(header) + "]\n" + keyText(key) + " = " + value + "\n";
    }

    // The last line of the values below the table that lie between lines
    // `after` and `before` (exclusive); `fallback` when there are none.
    static std::size_t lastValueLine(const toml::table& table, std::size_t after, std::size_t before,
                                     std::size_t fallback) {
        std::size_t last = fallback;
        for (const auto& [key, node] : table) {
            const auto* child = node.as_table();
            if (child != nullptr && !child->is_inline()) {
                last = std::max(last, lastValueLine(*child, after, before, fallback));
                continue;
            }
            const auto& region = node.source();
            if (region.begin.line > after && region.begin.line < before) last = std::max<std::size_t>(last, region.end.line);
        }
        return last;
    }

    // The header whose section holds the line; nullptr for the lines above the first header.
    const Header* sectionOf(std::size_t line) const {
        const Header* section = nullptr;
        for (const auto& header : headers_)
            if (header.line <= line) section = &header;
        return section;
    }

    // The line of the first header after the line.
    std::size_t sectionEnd(std::size_t line) const {
        for (const auto& header : headers_)
            if (header.line > line) return header.line;
        return std::numeric_limits<std::size_t>::max();
    }

    void refuseInline(const std::vector<std::string>& path) const {
        const toml::node* node = &root_;
        for (std::size_t depth = 0;; ++depth) {
            if (node->as_table()->is_inline())
                throw std::runtime_error("Klucz " + Orvel::pathText(path) +
                                         " leży w tabeli zapisanej w jednym wierszu ({ ... }); zapisz ją w pliku "
                                         "ustawień jako [tabelę], aby dodać do niej klucze.");
            if (depth == path.size()) return;
            node = node->as_table()->get(path[depth]);
        }
    }

    std::string& text_;
    toml::table root_;
    TextIndex index_;
    std::vector<Header> headers_;
};

}  // namespace

std::string valueText(const Orvel::TValue& value) {
    if (const auto* integer = std::get_if<int>(&value)) return std::to_string(*integer);
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
    if (const auto* text = std::get_if<std::string>(&value)) return quoted(*text);
    if (const auto* number = std::get_if<double>(&value)) {
        if (!std::isfinite(*number)) throw std::runtime_error("Ustawienie nie może mieć wartości nieskończonej ani NaN.");
        char buffer[32];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, *number);
        std::string shortest(buffer, written.ptr);
        // Always a float in the file, never an integer: 2 is written 2.0.
        if (shortest.find_first_of(".e") == std::string::npos) shortest += ".0";
        return shortest;
    }
    throw std::logic_error("Brak wartości do zapisania w ustawieniach.");
}

void writeSetting(const std::filesystem::path& file, const std::vector<std::string>& path, const Orvel::TValue& value) {
    if (path.empty()) throw std::runtime_error("Podaj ścieżkę klucza ustawień.");
    for (const auto& name : path)
        if (name.empty() || name == kOwnValueKey)
            throw std::runtime_error("Błędna ścieżka klucza ustawień \"" + Orvel::pathText(path) +
                                     "\": nazwa klucza nie może być pusta ani równa \"@\".");
    const std::string written = valueText(value);
    // Another process's write between this read and the rename would otherwise be lost.
    const FileLock lock(file.string() + ".lock");
    std::string text = readSettingsText(file);
    if (!EditStep(text, file).apply(path, written)) EditStep(text, file).apply(path, written);

    try {
        if (nodeValue(findNode(parseSettings(text, file), path)) != value)
            throw std::logic_error("odczyt po zmianie daje inną wartość");
    } catch (const std::exception& e) {
        throw std::logic_error("Zapis ustawienia " + Orvel::pathText(path) + " nie powiódł się (" + e.what() +
                               "); plik ustawień pozostał bez zmian.");
    }
    AtomicFile replacement(file);
    replacement.stream() << text;
    replacement.commit();
    noteSettingsWritten();
}

}  // namespace Core::Setup
