#include "Core/Setup/FileWatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

namespace Core::Setup {
namespace {

std::atomic<std::uint64_t>& settingsWrites() {
    static std::atomic<std::uint64_t> count{0};
    return count;
}

// Everything that can give the name other contents: written in place,
// replaced by a rename (the setup-key writer's way), removed, its times set.
constexpr std::uint32_t kFileEvents =
    IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// The directory itself gone: no further event will come.
constexpr std::uint32_t kWatchEnded = IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

void closeIfOpen(int descriptor) {
    if (descriptor >= 0) ::close(descriptor);
}

}  // namespace

void noteSettingsWritten() { settingsWrites().fetch_add(1, std::memory_order_release); }

FileWatch::FileWatch(const std::filesystem::path& file) {
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    stop_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    const std::filesystem::path directory = file.has_parent_path() ? file.parent_path() : ".";
    if (inotify_ < 0 || stop_ < 0 ||
        ::inotify_add_watch(inotify_, directory.c_str(), kFileEvents | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR) < 0)
        return;
    try {
        watching_.store(true, std::memory_order_release);
        thread_ = std::thread(&FileWatch::run, this, file.filename().string());
    } catch (const std::system_error&) {
        watching_.store(false, std::memory_order_release);
    }
}

FileWatch::~FileWatch() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        // An eventfd write of 1 cannot fail short of overflowing its counter.
        [[maybe_unused]] const auto written = ::write(stop_, &one, sizeof one);
        thread_.join();
    }
    closeIfOpen(inotify_);
    closeIfOpen(stop_);
}

std::uint64_t FileWatch::changes() const {
    return events_.load(std::memory_order_acquire) + settingsWrites().load(std::memory_order_acquire);
}

void FileWatch::run(std::string name) {
    alignas(inotify_event) char buffer[4096];
    pollfd waits[2] = {{inotify_, POLLIN, 0}, {stop_, POLLIN, 0}};
    for (;;) {
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (waits[1].revents != 0) return;
        const ssize_t length = ::read(inotify_, buffer, sizeof buffer);
        if (length < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            break;
        }
        bool ended = false;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            // A lost queue may have held the file's events.
            if ((event->mask & IN_Q_OVERFLOW) != 0 || (event->len > 0 && name == event->name))
                events_.fetch_add(1, std::memory_order_release);
            ended = ended || (event->mask & kWatchEnded) != 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
        if (ended) break;
    }
    watching_.store(false, std::memory_order_release);
}

}  // namespace Core::Setup
