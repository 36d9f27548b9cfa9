#pragma once
// A program run in a process of its own while the test goes on, talked to
// through pipes: lines written to its standard input, its standard output
// read line by line, and at the end everything it printed and its exit code.

#include "tests/support/RunTowary.h"

#include <sys/types.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace TestSupport {

class ChildProcess {
public:
    // Unprivileged: when the tests run as root, it runs as the user nobody (see runTowaryUnprivileged).
    ChildProcess(const std::string& program, const std::vector<std::string>& args, bool unprivileged = false);
    // Closes its input and waits for it.
    ~ChildProcess() {
        if (pid_ > 0) finish();
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of its standard output, with its "\n"; "<end>" when it closed it.
    std::string line();
    void send(const std::string& text);
    // Writes the input and closes it, waits for it to end, and gives the rest of its output. The input is
    // written while the output is read, so that neither side waits for the other; a child that ends
    // without reading it all is no failure of the test.
    RunResult finish(const std::string& input = "");
    // Kills it at once (SIGKILL), as a power cut or the task manager would, or
    // stops it with the signal given (SIGINT as Ctrl+C, SIGTERM), and waits for it.
    RunResult kill(int signal = SIGKILL) {
        ::kill(pid_, signal);
        return finish();
    }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    std::FILE* out_ = nullptr;
    std::FILE* err_ = nullptr;
};

}  // namespace TestSupport
