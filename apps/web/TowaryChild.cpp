#include "apps/web/TowaryChild.h"

#include "Core/tools/SystemError.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace Towary::Web {
namespace {

void makePipe(int ends[2]) {
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("Nie można uruchomić pracy: " + Core::systemErrorText(errno) + ".");
}

}  // namespace

TowaryChild::TowaryChild(const std::vector<std::string>& args, const std::filesystem::path& workingDirectory) {
    int input[2];
    int output[2];
    makePipe(input);
    try {
        makePipe(output);
    } catch (...) {
        close(input[0]);
        close(input[1]);
        throw;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    if (!workingDirectory.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    const std::string program = "/proc/self/exe";
    std::vector<char*> argv{const_cast<char*>("towary")};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // The server ignores SIGPIPE (a child that ended must not end it); the child gets it back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int error = posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    in_ = input[1];
    out_ = output[0];
    if (error != 0) {
        close(in_);
        close(out_);
        throw std::runtime_error("Nie można uruchomić pracy: " + Core::systemErrorText(error) + ".");
    }
}

TowaryChild::~TowaryChild() {
    if (!exitCode_) {
        terminate();
        wait();
    }
    close(in_);
    close(out_);
}

std::optional<std::string> TowaryChild::line() {
    for (;;) {
        const auto end = buffered_.find('\n');
        if (end != std::string::npos) {
            auto line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        char chunk[4096];
        const auto got = read(out_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
}

bool TowaryChild::send(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t written = 0;
    while (written < text.size()) {
        // A child that ended answers EPIPE: the server ignores SIGPIPE.
        const auto put = write(in_, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        written += static_cast<std::size_t>(put);
    }
    return true;
}

void TowaryChild::terminate() {
    if (!exitCode_) kill(pid_, SIGTERM);
}

int TowaryChild::wait() {
    if (exitCode_) return *exitCode_;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return *exitCode_;
}

}  // namespace Towary::Web
