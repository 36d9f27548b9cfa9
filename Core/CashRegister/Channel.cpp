#include "Core/CashRegister/Channel.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>

namespace Core::CashRegister {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

int openFifo(const std::filesystem::path& path) {
    // Without a reader a non-blocking open fails at once (ENXIO), so the wait is ours.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMilliseconds);
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
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        if (std::chrono::steady_clock::now() >= until) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int connectTcp(const std::string& host, int port) {
    boost::asio::io_context io;
    boost::asio::ip::tcp::resolver resolver(io);
    boost::system::error_code error;
    const auto endpoints = resolver.resolve(host, std::to_string(port), error);
    if (error) return -1;
    boost::asio::ip::tcp::socket socket(io);
    boost::asio::connect(socket, endpoints, error);
    if (error) return -1;
    return socket.release(error);
}

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

Writer::Writer(const std::string& host, const std::string& name, int port) {
    buffer_.reserve(kBufferSize);
    if (isThisMachine(host)) {
        description_ = "potok " + fifoPath(name).string();
        fd_ = openFifo(fifoPath(name));
    } else {
        description_ = "kasa " + host + ":" + std::to_string(port);
        socket_ = true;
        fd_ = connectTcp(host, port);
    }
}

Writer::~Writer() { close(); }

void Writer::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    if (buffer_.size() + size > kBufferSize) flush();
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void Writer::flush() {
    if (fd_ >= 0 && !broken_) {
        // A till that went away must not end the process: SIGPIPE is held
        // back for this thread while writing and taken off afterwards.
        sigset_t pipe, previous;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &previous);
        std::size_t done = 0;
        while (done < buffer_.size()) {
            const ssize_t written = socket_ ? ::send(fd_, buffer_.data() + done, buffer_.size() - done, MSG_NOSIGNAL)
                                            : ::write(fd_, buffer_.data() + done, buffer_.size() - done);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                broken_ = true;
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        const timespec none{0, 0};
        while (sigtimedwait(&pipe, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    buffer_.clear();
}

void Writer::close() {
    if (closed_) return;
    closed_ = true;
    flush();
    if (fd_ < 0)
        std::cerr << "Uwaga: żadna kasa nie odbiera kodów (" << description_ << "); kody nie zostały odebrane.\n";
    else if (broken_)
        std::cerr << "Uwaga: kasa przestała odbierać kody (" << description_ << "); część kodów nie została odebrana.\n";
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace Core::CashRegister
