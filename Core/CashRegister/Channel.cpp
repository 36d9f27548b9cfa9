#include "Core/CashRegister/Channel.h"

#include "Core/CashRegister/Record.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <fcntl.h>
#include <linux/sockios.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace Core::CashRegister {
namespace {

using TillClock = std::chrono::steady_clock;

// How often a sender looks again at a till it waits for.
constexpr std::chrono::milliseconds kTillLookAgain{10};

// The till's pipe opened for writing, without blocking; -1 when no till
// opened its end in time or something else lies under the name.
int openTillFifo(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    // Without a reader a non-blocking open fails at once (ENXIO), so the wait is ours.
    const auto until = TillClock::now() + wait;
    for (;;) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            // Only a till's pipe is written: records written into a file
            // that happens to lie there would overwrite its beginning.
            struct stat status {};
            if (::fstat(fd, &status) != 0 || !S_ISFIFO(status.st_mode)) {
                ::close(fd);
                return -1;
            }
            return fd;
        }
        if (TillClock::now() >= until) return -1;
        std::this_thread::sleep_for(kTillLookAgain);
    }
}

// Whether the sender has the till to itself within the wait. The lock is on
// the pipe itself, so every sender to it meets it, and the system lets go of
// it when its holder ends, however it ends.
bool takeTillTurn(int fd, std::chrono::seconds wait) {
    const auto until = TillClock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (TillClock::now() >= until) return false;
        std::this_thread::sleep_for(kTillLookAgain);
    }
    return true;
}

// A non-blocking connection to the till's port; -1 when none was made within the wait.
int connectTillTcp(const std::string& host, int port, std::chrono::seconds wait) {
    boost::asio::io_context io;
    boost::asio::ip::tcp::resolver resolver(io);
    boost::system::error_code error;
    const auto endpoints = resolver.resolve(host, std::to_string(port), error);
    if (error) return -1;
    boost::asio::ip::tcp::socket socket(io);
    error = boost::asio::error::timed_out;
    boost::asio::async_connect(socket, endpoints,
                               [&error](const boost::system::error_code& result, const auto&) { error = result; });
    io.run_for(wait);
    if (error) return -1;
    const int fd = socket.release(error);
    if (error) return -1;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// A till that went away must not end the process: SIGPIPE is held back for
// this thread while it lives, and one that came is taken off afterwards.
class TillSigpipeHeld {
public:
    TillSigpipeHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~TillSigpipeHeld() {
        const timespec none{0, 0};
        while (sigtimedwait(&pipe_, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    TillSigpipeHeld(const TillSigpipeHeld&) = delete;
    TillSigpipeHeld& operator=(const TillSigpipeHeld&) = delete;

private:
    sigset_t pipe_{};
    sigset_t previous_{};
};

}  // namespace

std::filesystem::path runtimeDirectory() {
    const char* overridden = std::getenv("TOWARY_RUNTIME_DIR");
    return overridden != nullptr && *overridden != '\0' ? std::filesystem::path(overridden)
                                                          : std::filesystem::path("/run/towary");
}

std::filesystem::path fifoPath(const std::string& name) { return runtimeDirectory() / name; }

bool isThisMachine(const std::string& host) {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return host == "." || boost::algorithm::iequals(host, "localhost") || boost::algorithm::iequals(host, name);
}

Writer::Writer(const std::string& host, const std::string& name, int port, Patience patience)
    : host_(host), name_(name), port_(port), patience_(patience), socket_(!isThisMachine(host)) {
    description_ = socket_ ? "kasa " + host + ":" + std::to_string(port) : "potok " + fifoPath(name).string();
}

Writer::~Writer() { release(); }

void Writer::write(std::string_view record) {
    if (!admit(record.size())) return;
    queued_.append(record);
    if (queued_.size() >= kLongestRecord) sendQueued(false);
}

void Writer::writeRecord(std::string_view tag, std::string_view code) {
    if (!admit(recordSize(code))) return;
    appendRecord(queued_, tag, code);
    if (queued_.size() >= kLongestRecord) sendQueued(false);
}

bool Writer::admit(std::size_t size) {
    if (size > kLongestRecord)
        throw std::logic_error("Rekord dla kasy ma " + std::to_string(size) + " B, a najwyżej " +
                               std::to_string(kLongestRecord) + " B.");
    if (!opened_) open();
    ends_.push_back((ends_.empty() ? 0 : ends_.back()) + size);
    return failure_ == Failure::none;
}

void Writer::close() {
    if (closed_) return;
    closed_ = true;
    if (failure_ == Failure::none && fd_ >= 0) {
        sendQueued(true);
        if (failure_ == Failure::none) awaitTaken();
    }
    release();
    if (failure_ != Failure::none) throw std::runtime_error(failureText());
}

void Writer::open() {
    opened_ = true;
    if (socket_) {
        fd_ = connectTillTcp(host_, port_, patience_.stall);
    } else {
        fd_ = openTillFifo(fifoPath(name_), patience_.open);
        if (fd_ >= 0 && !takeTillTurn(fd_, patience_.turn)) return fail(Failure::busy);
    }
    if (fd_ < 0) return fail(Failure::noTill);
    lastProgress_ = TillClock::now();
}

void Writer::sendQueued(bool all) {
    TillSigpipeHeld held;
    std::size_t sent = 0;
    while (failure_ == Failure::none && queued_.size() - sent >= (all ? 1 : kLongestRecord)) {
        // The whole records that fit one write: the pipe never mixes its bytes with another's.
        const auto end = std::upper_bound(ends_.begin(), ends_.end(), written_ + kLongestRecord);
        const auto size = static_cast<std::size_t>(*std::prev(end) - written_);
        if (give(std::string_view(queued_).substr(sent, size))) sent += size;
    }
    queued_.erase(0, sent);
}

bool Writer::give(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = socket_ ? ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                     : ::write(fd_, bytes.data(), bytes.size());
        if (done > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(done));
            written_ += static_cast<std::uint64_t>(done);
            lastPending_ = pendingBytes();
            lastProgress_ = TillClock::now();
        } else if (done < 0 && errno == EAGAIN) {
            if (waitForTill(POLLOUT) < 0) return false;
        } else if (done >= 0 || errno != EINTR) {
            fail(Failure::stopped);
            return false;
        }
    }
    return true;
}

void Writer::awaitTaken() {
    if (socket_) {
        // The till has read everything when it closes its end after ours.
        ::shutdown(fd_, SHUT_WR);
        for (;;) {
            const int events = waitForTill(POLLIN);
            if (events < 0) return;
            if (events == 0) continue;
            char ignored[512];
            const ssize_t got = ::recv(fd_, ignored, sizeof ignored, 0);
            if (got == 0) break;
            if (got < 0 && errno != EAGAIN && errno != EINTR) return fail(Failure::stopped);
        }
    } else {
        while (pendingBytes() > 0) {
            const int events = waitForTill(0);
            if (events < 0) return;
            if ((events & POLLERR) != 0) return fail(Failure::stopped);
        }
    }
    taken_ = written_;
}

int Writer::waitForTill(short events) {
    pollfd channel{fd_, events, 0};
    if (::poll(&channel, 1, static_cast<int>(kTillLookAgain.count())) < 0) channel.revents = 0;
    const auto pending = pendingBytes();
    if (pending < lastPending_) lastProgress_ = TillClock::now();
    lastPending_ = pending;
    if (TillClock::now() - lastProgress_ >= patience_.stall) {
        fail(Failure::stalled);
        return -1;
    }
    return channel.revents;
}

std::uint64_t Writer::pendingBytes() const {
    int pending = 0;
    ::ioctl(fd_, socket_ ? SIOCOUTQ : FIONREAD, &pending);
    return static_cast<std::uint64_t>(std::max(pending, 0));
}

void Writer::fail(Failure failure) {
    failure_ = failure;
    // What is still in the pipe never reached the till; over TCP only the
    // till's close says what it read.
    if (fd_ >= 0 && !socket_) taken_ = written_ - std::min(written_, pendingBytes());
    queued_.clear();
    release();
}

void Writer::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::string Writer::failureText() const {
    const auto delivered = std::upper_bound(ends_.begin(), ends_.end(), taken_) - ends_.begin();
    const std::string notDelivered = "; nie dostarczono kodów: " +
                                     std::to_string(ends_.size() - static_cast<std::size_t>(delivered)) + " z " +
                                     std::to_string(ends_.size()) + ".";
    switch (failure_) {
    case Failure::noTill:
        return "Żadna kasa nie odbiera kodów (" + description_ + ")" + notDelivered;
    case Failure::busy:
        return "Kasa jest zajęta inną wysyłką kodów dłużej niż " + std::to_string(patience_.turn.count()) + " s (" +
               description_ + ")" + notDelivered;
    case Failure::stalled:
        return "Kasa nie odbiera kodów od " + std::to_string(patience_.stall.count()) + " s (" + description_ + ")" +
               notDelivered;
    case Failure::stopped:
    case Failure::none:
        break;
    }
    return "Kasa przestała odbierać kody (" + description_ + ")" + notDelivered;
}

}  // namespace Core::CashRegister
