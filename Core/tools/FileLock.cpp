#include "Core/tools/FileLock.h"

#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace Core {
namespace {

int operationOf(FileLock::Mode mode) { return mode == FileLock::Mode::exclusive ? LOCK_EX : LOCK_SH; }

}  // namespace

FileLock::FileLock(const std::filesystem::path& file, Mode mode)
    : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ < 0)
        throw std::runtime_error("Nie można otworzyć pliku blokady " + file.string() + ": " + systemErrorText(errno) +
                                 ".");
    while (::flock(fd_, operationOf(mode)) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd_);
        throw std::runtime_error("Nie można zablokować pliku " + file.string() + ": " + systemErrorText(error) + ".");
    }
}

FileLock::~FileLock() { ::close(fd_); }

std::unique_ptr<FileLock> FileLock::tryExisting(const std::filesystem::path& file, Mode mode) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    std::unique_ptr<FileLock> lock(new FileLock(fd));
    int result;
    while ((result = ::flock(fd, operationOf(mode) | LOCK_NB)) != 0 && errno == EINTR) {
    }
    // A holder that removes the file before it lets go leaves the name to nobody.
    struct stat status {};
    if (result != 0 || ::fstat(fd, &status) != 0 || status.st_nlink == 0) return nullptr;
    return lock;
}

}  // namespace Core
