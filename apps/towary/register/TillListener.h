#pragma once
// The till's end of the channel the codes are sent over, for trying the
// sending out without a cash-register program: on this machine it makes the
// named pipe (FIFO) of the store's settings and reads it; for a till on
// another machine it listens on the settings' TCP port. Each record read is
// checked, never trusted: a bad CRC and a short record are reported.

#include <functional>
#include <optional>
#include <string>

namespace Towary::Host {

class TillListener {
public:
    // Opens the channel the store's settings name ("Parametry programu /
    // FrontOffice / Potok komunikacji z kasą"); `port` 0 for TCP takes any
    // free port instead of the setting's. Throws std::runtime_error, in
    // Polish, when the pipe or the port cannot be made.
    explicit TillListener(std::optional<int> port = {});
    // Removes the pipe it made; SIGINT and SIGTERM remove it too before they
    // end the process (apps/towary/register/PipeRemovalOnSignal.h).
    ~TillListener();
    TillListener(const TillListener&) = delete;
    TillListener& operator=(const TillListener&) = delete;

    // The channel in words: "potok /run/towary/kasa", "port TCP 5000".
    std::string description() const;
    int port() const;

    // Reads records, handing one line per record to `line` ("PLU0 5901234123457",
    // a bad one marked), until `count` records came; without a count, until
    // the first sender closes. Returns the number of records read.
    int listen(std::optional<int> count, const std::function<void(const std::string&)>& line);

private:
    struct Channel;
    Channel* channel_;
};

}  // namespace Towary::Host
