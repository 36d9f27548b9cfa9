#pragma once
// A `towary` command run by the web host in a process of its own, talked to
// through pipes: its standard output read line by line, lines written to its
// standard input. Standard error is the server's. The child inherits none of
// the server's other descriptors (its listening socket, its store), so it
// holds nothing of the server's after the server ends.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Towary::Web {

class TowaryChild {
public:
    // Runs this very program (the server's own executable) with the
    // arguments, in the working directory when one is given; throws
    // std::runtime_error, in Polish, when it cannot be started.
    explicit TowaryChild(const std::vector<std::string>& args, const std::filesystem::path& workingDirectory = {});
    // Ends it (SIGTERM) if it still runs and waits for it.
    ~TowaryChild();
    TowaryChild(const TowaryChild&) = delete;
    TowaryChild& operator=(const TowaryChild&) = delete;

    // The next line of its output, without its "\n"; none once it closed its output.
    // Blocks: one thread reads.
    std::optional<std::string> line();
    // Writes a line to its input; false when it no longer reads.
    bool send(const std::string& line);
    // Asks it to end (SIGTERM); it rolls back what it has not committed.
    void terminate();
    // Waits for it to end; its exit code, or 128 + the signal that ended it.
    int wait();

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string buffered_;
    std::optional<int> exitCode_;
};

}  // namespace Towary::Web
