#pragma once
// Core::Setup::FileWatch: tells, for the price of two atomic loads, whether a
// file may have changed since a count was taken. A thread of its own waits on
// an inotify watch of the file's directory and counts every event on the
// file's name (written, replaced by a rename, deleted, its times set). Writes
// made through this process's setup-key writer count at once, through
// noteSettingsWritten(); another process's write counts as soon as the thread
// has read its event, normally microseconds later.
//
// Where no watch can be made (inotify's limits reached, a file system without
// it), watching() is false and the caller must look at the file itself.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <thread>

namespace Core::Setup {

class FileWatch {
public:
    explicit FileWatch(const std::filesystem::path& file);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Whether changes() is kept; once false, it stays false.
    bool watching() const { return watching_.load(std::memory_order_acquire); }
    // A number that differs from an earlier one whenever the file may have changed in between.
    std::uint64_t changes() const;

private:
    void run(std::string name);

    int inotify_ = -1;
    int stop_ = -1;  // an eventfd that ends the thread's wait
    std::atomic<bool> watching_{false};
    std::atomic<std::uint64_t> events_{0};
    std::thread thread_;
};

// Counts a write of a settings file made by this process, for every watch.
void noteSettingsWritten();

}  // namespace Core::Setup
