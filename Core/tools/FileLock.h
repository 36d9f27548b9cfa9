#pragma once
// Core::FileLock: a lock between processes, held while the object lives. It is
// an advisory lock (flock) on a file; the system releases it when the holder
// ends, even when it is killed. It follows the file, not its name: a holder
// may rename the file, or the directory holding it, and keep the lock.

#include <chrono>
#include <filesystem>
#include <memory>

namespace Core {

class FileLock {
public:
    enum class Mode { exclusive, shared };

    // Waits until no other process holds a conflicting lock on that file (made
    // when missing). Throws std::runtime_error (in Polish, naming the file)
    // when it cannot be opened.
    explicit FileLock(const std::filesystem::path& file, Mode mode = Mode::exclusive);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The lock on a file that exists, taken at once or not at all: null when
    // another process holds a conflicting lock, when the file is missing, and
    // when it was removed while the lock was being taken.
    static std::unique_ptr<FileLock> tryExisting(const std::filesystem::path& file, Mode mode);
    // The exclusive lock on that file (made when missing), waiting at most
    // `wait` for another holder: null when one still holds it then. Throws
    // as the constructor when the file cannot be opened.
    static std::unique_ptr<FileLock> tryFor(const std::filesystem::path& file, std::chrono::milliseconds wait);

private:
    explicit FileLock(int fd) : fd_(fd) {}

    int fd_;
};

}  // namespace Core
