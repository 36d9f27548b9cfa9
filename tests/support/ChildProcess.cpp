#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace TestSupport {
namespace {

std::string rest(std::FILE* stream) {
    std::string text;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) text.append(buffer, read);
    return text;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, bool unprivileged) {
    int toChild[2], fromChild[2], errors[2];
    // Closed on exec, so that no other child holds them open: only the copies dup2 makes stay.
    for (int* ends : {toChild, fromChild, errors})
        if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // Only calls safe between fork and exec: the test may run threads.
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        dup2(errors[1], STDERR_FILENO);
        constexpr uid_t kNobody = 65534;
        if (unprivileged && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    close(errors[1]);
    in_ = toChild[1];
    out_ = fdopen(fromChild[0], "r");
    err_ = fdopen(errors[0], "r");
}

std::string ChildProcess::line() {
    char buffer[512] = {};
    return std::fgets(buffer, sizeof buffer, out_) ? std::string(buffer) : "<end>";
}

void ChildProcess::send(const std::string& text) {
    if (write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("write to the child failed");
}

RunResult ChildProcess::finish(const std::string& input) {
    std::thread writer([this, &input] {
        // A child gone before reading everything breaks the pipe: the write then fails with EPIPE on this
        // thread instead of the signal ending the whole test program.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        for (std::size_t sent = 0; sent < input.size();) {
            const auto written = write(in_, input.data() + sent, input.size() - sent);
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) break;
            sent += static_cast<std::size_t>(written);
        }
        close(in_);
        in_ = -1;
    });
    RunResult result;
    // Both read at once: a child that fills one pipe while the other is read would wait for ever.
    std::thread errors([&] { result.err = rest(err_); });
    result.out = rest(out_);
    errors.join();
    writer.join();
    std::fclose(out_);
    std::fclose(err_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace TestSupport
