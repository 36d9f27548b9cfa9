#pragma once
// The pages' files, served from one folder: a request's path, percent-decoded,
// names a file inside it or nothing; no path outside the folder is reachable
// (no "..", no link leading out).

#include <filesystem>
#include <optional>
#include <string>

namespace Towary::Web {

struct StaticFile {
    std::string content;
    std::string mediaType;
};

class StaticFiles {
public:
    explicit StaticFiles(std::filesystem::path root);

    // The file the URL path names, already percent-decoded (once: a second
    // decoding would let "%252e" reach a file by a name the caller did not
    // check); "/" is the folder's index.html. Nothing for a path outside the
    // folder, a missing file or a folder.
    std::optional<StaticFile> find(std::string path) const;

    // A file's media type by its extension, with the character set of text.
    static std::string mediaTypeOf(const std::filesystem::path& file);
    // Reads a whole file; nothing when it cannot be read.
    static std::optional<std::string> read(const std::filesystem::path& file);

private:
    std::filesystem::path root_;  // canonical
};

// The percent-decoded form of a URL's path or query part; nothing for a
// broken escape or a decoded NUL. With plusAsSpace, "+" is a space (forms).
std::optional<std::string> percentDecoded(std::string_view text, bool plusAsSpace = false);

}  // namespace Towary::Web
