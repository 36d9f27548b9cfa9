#pragma once
// Work that ends in a rename onto a path: a new file or directory beside the
// path, under a name no other process takes, and the sync that makes the
// rename itself survive a power loss.

#include <filesystem>
#include <functional>
#include <string_view>

namespace Core {

struct MadeBeside {
    std::filesystem::path name;
    int result;  // what `make` returned: -1, with errno set, when it failed
};

// Calls make(name) with names ".FILENAME.TAG-RANDOM" in the directory of
// `path` until one is made or `make` fails for a reason other than a name
// already taken. `make` creates the entry only where nothing has the name
// (open with O_CREAT | O_EXCL, mkdir) and returns -1 with errno set when it
// cannot.
MadeBeside makeBeside(const std::filesystem::path& path, std::string_view tag,
                      const std::function<int(const std::filesystem::path&)>& make);

// Flushes the written file's bytes to disk, so that a rename of it never
// points at an empty or partial file after a power loss. Returns false, with
// errno set, when the file cannot be synced.
bool syncFile(const std::filesystem::path& path);

// Flushes the directory holding `path` to disk, so that a name renamed into
// it stays there across a power loss. Returns false, with errno set, when
// the directory cannot be synced.
bool syncDirectoryOf(const std::filesystem::path& path);

}  // namespace Core
