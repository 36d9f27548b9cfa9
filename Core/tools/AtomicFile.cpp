#include "Core/tools/AtomicFile.h"

#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace Core {
namespace {

// The permissions the file is to have: the target's, or those a new file gets under the umask.
mode_t permissionsFor(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        out_.open(target_, std::ios::binary);
        if (!out_) fail(errno);
        return;
    }
    std::error_code error;
    if (const auto resolved = std::filesystem::canonical(target_, error); !error) target_ = resolved;
    temporary_ = target_.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary_.data());
    if (fd < 0) {
        temporary_.clear();
        throw std::runtime_error("Nie można utworzyć pliku " + target_.string() + ": " + systemErrorText(errno) + ".");
    }
    const bool ready = ::fchmod(fd, permissionsFor(target_)) == 0;
    const int fchmodError = errno;
    ::close(fd);
    if (!ready) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        throw std::runtime_error("Nie można utworzyć pliku " + target_.string() + ": " + systemErrorText(fchmodError) +
                                 ".");
    }
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_) fail(errno);
}

AtomicFile::~AtomicFile() {
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::commit() {
    errno = 0;
    out_.close();
    if (!out_) fail(errno);
    if (!temporary_.empty()) {
        // The text must be on disk before the name points at it, or a crash could leave an empty file.
        const int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) fail(errno);
        const bool synced = ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        if (!synced) fail(error);
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
    }
    committed_ = true;
}

void AtomicFile::fail(int error) const {
    throw std::runtime_error("Nie można zapisać pliku " + target_.string() + ": " +
                             (error != 0 ? systemErrorText(error) : std::string("błąd zapisu")) +
                             (temporary_.empty() ? "." : "; plik pozostał bez zmian."));
}

}  // namespace Core
