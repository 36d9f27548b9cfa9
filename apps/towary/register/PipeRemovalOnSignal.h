#pragma once
// While it lives, SIGINT and SIGTERM (Ctrl+C, kill) first remove a named
// pipe and then end the process as they would have, so that a till's pipe
// does not outlive a listener stopped that way. Only a pipe is removed:
// anything else found under the name stays. A signal the process was started
// ignoring stays ignored. One at a time in a process.

#include <filesystem>

namespace Towary::Host {

class PipeRemovalOnSignal {
public:
    // Throws std::logic_error when another one lives.
    explicit PipeRemovalOnSignal(const std::filesystem::path& pipe);
    // The signals handled as before.
    ~PipeRemovalOnSignal();
    PipeRemovalOnSignal(const PipeRemovalOnSignal&) = delete;
    PipeRemovalOnSignal& operator=(const PipeRemovalOnSignal&) = delete;
};

}  // namespace Towary::Host
