#include "tests/support/RunTowary.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace TestSupport {
namespace {

std::filesystem::path tempFile(const char* tag) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string("towary-") + tag + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    close(fd);
    return pattern;
}

RunResult run(const std::vector<std::string>& args, const std::string& input, bool unprivileged) {
    const auto in = tempFile("in"), out = tempFile("out"), err = tempFile("err");
    std::ofstream(in) << input;
    const std::string program = std::string(TOWARY_BIN_DIR) + "/towary";

    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen(in.c_str(), "r", stdin);
        std::freopen(out.c_str(), "w", stdout);
        std::freopen(err.c_str(), "w", stderr);
        constexpr uid_t kNobody = 65534;
        if (unprivileged && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(126);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    RunResult result{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), readFile(out), readFile(err)};
    for (const auto& file : {in, out, err}) std::filesystem::remove(file);
    return result;
}

}  // namespace

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RunResult runTowary(const std::vector<std::string>& args, const std::string& input) { return run(args, input, false); }

RunResult runTowaryUnprivileged(const std::vector<std::string>& args) { return run(args, "", true); }

}  // namespace TestSupport
