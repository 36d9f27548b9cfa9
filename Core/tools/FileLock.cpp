#include "Core/tools/FileLock.h"

#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace Core {

FileLock::FileLock(const std::filesystem::path& file) : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (fd_ < 0)
        throw std::runtime_error("Nie można otworzyć pliku blokady " + file.string() + ": " + systemErrorText(errno) +
                                 ".");
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd_);
        throw std::runtime_error("Nie można zablokować pliku " + file.string() + ": " + systemErrorText(error) + ".");
    }
}

FileLock::~FileLock() { ::close(fd_); }

}  // namespace Core
