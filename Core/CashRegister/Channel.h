#pragma once
// The channel to the front office's cash-register program, the till. On
// this machine it is a named pipe (a FIFO) that the till makes in the
// runtime directory (anything else found under the pipe's name is left
// alone, as no till); on another machine it is a TCP connection to the
// till's port. The bytes are the same either way.
//
// The writer never fails: what it cannot deliver is dropped, as the module's
// sending routine expects, but when no till took the bytes it says so on
// standard error, so that a clerk is not told codes went where nothing read them.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace Core::CashRegister {

// Where the tills' pipes are: $TOWARY_RUNTIME_DIR when set, else /run/towary.
std::filesystem::path runtimeDirectory();
// The pipe of that name on this machine.
std::filesystem::path fifoPath(const std::string& name);
// Whether the host names this machine: ".", "localhost" or its own host name.
bool isThisMachine(const std::string& host);

// How long the writer waits for a till to open its end (the pipe's default wait).
inline constexpr int kWaitMilliseconds = 1000;

class Writer {
public:
    // Opens the channel to the till on `host` (pipe `name`, or TCP `port` on another machine).
    Writer(const std::string& host, const std::string& name, int port);
    // Closes the channel, as close() does.
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Queues the bytes; they go out when the buffer fills and on close.
    void write(const void* data, std::size_t size);
    // Sends what is queued and closes; tells standard error when no till took the bytes.
    void close();

    // Whether a till was at the other end and took everything so far.
    bool delivered() const { return fd_ >= 0 && !broken_; }
    // The channel in words: "potok /run/towary/kasa", "kasa 10.0.0.2:5000".
    const std::string& description() const { return description_; }

private:
    void flush();

    int fd_ = -1;
    bool socket_ = false;
    bool broken_ = false;
    bool closed_ = false;
    std::string description_;
    std::vector<char> buffer_;
};

}  // namespace Core::CashRegister
