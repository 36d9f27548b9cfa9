#pragma once
// Core::FileLock: an exclusive lock between processes, held while the object
// lives. It is an advisory lock (flock) on a lock file that stays in place;
// the system releases it when the holder ends, even when it is killed.

#include <filesystem>

namespace Core {

class FileLock {
public:
    // Waits until no other process holds the lock on that file (made when missing).
    // Throws std::runtime_error (in Polish, naming the file) when it cannot be opened.
    explicit FileLock(const std::filesystem::path& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

}  // namespace Core
