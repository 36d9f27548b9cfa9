#include "Core/tools/Beside.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace Core {

MadeBeside makeBeside(const std::filesystem::path& path, std::string_view tag,
                      const std::function<int(const std::filesystem::path&)>& make) {
    const auto directory = path.parent_path();
    const std::string stem = "." + path.filename().string() + "." + std::string(tag) + "-";
    std::random_device random;
    for (;;) {
        char suffix[9];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        auto name = directory / (stem + suffix);
        const int result = make(name);
        if (result >= 0 || errno != EEXIST) return {std::move(name), result};
    }
}

namespace {

// Opens the path with the flags and syncs it; errno tells why when it fails.
bool syncOpened(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

}  // namespace

bool syncFile(const std::filesystem::path& path) { return syncOpened(path, O_RDONLY); }

bool syncDirectoryOf(const std::filesystem::path& path) {
    return syncOpened(path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path(),
                      O_RDONLY | O_DIRECTORY);
}

}  // namespace Core
