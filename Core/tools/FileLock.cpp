#include "Core/tools/FileLock.h"

#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <thread>

namespace Core {
namespace {

int operationOf(FileLock::Mode mode) { return mode == FileLock::Mode::exclusive ? LOCK_EX : LOCK_SH; }

int openLockFileFor(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        throw std::runtime_error("Nie można otworzyć pliku blokady " + file.string() + ": " + systemErrorText(errno) +
                                 ".");
    return fd;
}

// flock without waiting: true when taken, false when another holds it; throws on any other failure.
bool tookExclusiveLockOf(int fd, const std::filesystem::path& file) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return false;
        throw std::runtime_error("Nie można zablokować pliku " + file.string() + ": " + systemErrorText(errno) + ".");
    }
    return true;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& file, Mode mode) : fd_(openLockFileFor(file)) {
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

std::unique_ptr<FileLock> FileLock::tryFor(const std::filesystem::path& file, std::chrono::milliseconds wait) {
    std::unique_ptr<FileLock> lock(new FileLock(openLockFileFor(file)));
    // flock has no timed wait: the holder is asked again until the time is up.
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!tookExclusiveLockOf(lock->fd_, file)) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return nullptr;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(10)));
    }
    return lock;
}

}  // namespace Core
