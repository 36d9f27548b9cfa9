#include "apps/web/StaticFiles.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace Towary::Web {
namespace fs = std::filesystem;

std::optional<std::string> percentDecoded(std::string_view text, bool plusAsSpace) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && plusAsSpace) {
            decoded += ' ';
        } else if (c != '%') {
            decoded += c;
        } else {
            if (i + 2 >= text.size()) return std::nullopt;
            const auto hex = [](char h) -> int {
                if (h >= '0' && h <= '9') return h - '0';
                if (h >= 'a' && h <= 'f') return h - 'a' + 10;
                if (h >= 'A' && h <= 'F') return h - 'A' + 10;
                return -1;
            };
            const int high = hex(text[i + 1]);
            const int low = hex(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    if (decoded.find('\0') != std::string::npos) return std::nullopt;
    return decoded;
}

StaticFiles::StaticFiles(fs::path root) : root_(fs::canonical(root)) {}

std::optional<StaticFile> StaticFiles::find(std::string path) const {
    if (path.empty() || path.front() != '/') return std::nullopt;
    if (path.back() == '/') path += "index.html";
    const fs::path relative = fs::path(path.substr(1)).lexically_normal();
    if (relative.empty() || relative.is_absolute() || *relative.begin() == "..") return std::nullopt;
    std::error_code error;
    const fs::path file = fs::canonical(root_ / relative, error);
    if (error || !fs::is_regular_file(file, error)) return std::nullopt;
    // A link inside the folder may lead out of it; the canonical path must still lie inside.
    const auto [rootEnd, fileAt] = std::mismatch(root_.begin(), root_.end(), file.begin(), file.end());
    if (rootEnd != root_.end()) return std::nullopt;
    auto content = read(file);
    if (!content) return std::nullopt;
    return StaticFile{std::move(*content), mediaTypeOf(file)};
}

std::string StaticFiles::mediaTypeOf(const fs::path& file) {
    static const std::map<std::string, std::string> types{
        {".html", "text/html; charset=utf-8"}, {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},   {".svg", "image/svg+xml"},
        {".png", "image/png"},                 {".ico", "image/x-icon"},
        {".json", "application/json; charset=utf-8"}};
    const auto found = types.find(file.extension().string());
    return found != types.end() ? found->second : "application/octet-stream";
}

std::optional<std::string> StaticFiles::read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (!in && !in.eof()) return std::nullopt;
    return std::move(content).str();
}

}  // namespace Towary::Web
