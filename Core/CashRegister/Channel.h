#pragma once
// The channel to the front office's cash-register program, the till. On
// this machine it is a named pipe (a FIFO) that the till makes in the
// runtime directory (anything else found under the pipe's name is left
// alone, as no till); on another machine it is a TCP connection to the
// till's port. The bytes are the same either way.
//
// One sender has the till at a time: a second waits its turn. A record goes
// out whole, in one write the pipe takes at once, so neither another
// sender nor a sending given up leaves half a record at the till. A sending
// succeeds only when the till took everything: read out of the pipe, or read
// to the end of the connection, which the till then closed.

#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Core::CashRegister {

// Where the tills' pipes are: $TOWARY_RUNTIME_DIR when set, else /run/towary.
std::filesystem::path runtimeDirectory();
// The pipe of that name on this machine.
std::filesystem::path fifoPath(const std::string& name);
// Whether the host names this machine: ".", "localhost" or its own host name.
bool isThisMachine(const std::string& host);

// The longest record: what a pipe takes in one write that no other writer's bytes can split.
inline constexpr std::size_t kLongestRecord = PIPE_BUF;

// How long a sender waits: for a till to open its end of the pipe (the
// pipe's default wait), for its turn while another sender has the till, and
// for the till to take more bytes before the sending gives up.
struct Patience {
    std::chrono::milliseconds open{1000};
    std::chrono::seconds turn{30};
    std::chrono::seconds stall{10};
};

class Writer {
public:
    // The channel to the till on `host` (pipe `name`, or TCP `port` on another
    // machine); it opens with the first record, so a sending of none needs no till.
    Writer(const std::string& host, const std::string& name, int port, Patience patience = {});
    // Lets go of the channel; what close() did not send is dropped.
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Queues one whole record (at most kLongestRecord bytes); records go out
    // as a write's worth gathers. After a failure the record is only counted.
    void write(std::string_view record);
    // The same for the record of `code` tagged `tag` (Record.h), encoded where it waits to go out.
    void writeRecord(std::string_view tag, std::string_view code);
    // Sends the rest, waits for the till to take everything, and lets go of the
    // channel. Throws std::runtime_error, in Polish, with the reason and the
    // number of records the till did not take, when it did not take them all.
    void close();

private:
    enum class Failure { none, noTill, busy, stalled, stopped };

    // Counts a record of `size` bytes; false when it is only counted (after a failure).
    bool admit(std::size_t size);
    void open();
    void sendQueued(bool all);
    bool give(std::string_view bytes);
    void awaitTaken();
    int waitForTill(short events);
    std::uint64_t pendingBytes() const;
    void fail(Failure failure);
    void release();
    std::string failureText() const;

    std::string host_;
    std::string name_;
    int port_;
    Patience patience_;
    std::string description_;
    int fd_ = -1;
    bool socket_ = false;
    bool opened_ = false;
    bool closed_ = false;
    Failure failure_ = Failure::none;
    std::string queued_;
    std::uint64_t written_ = 0;        // bytes given to the channel
    std::uint64_t taken_ = 0;          // of them, those the till took, once the sending ended
    std::vector<std::uint64_t> ends_;  // where each record ends, counted from the sending's first byte
    std::uint64_t lastPending_ = 0;
    std::chrono::steady_clock::time_point lastProgress_;
};

}  // namespace Core::CashRegister
