#pragma once
// Runs the built towary command as a user would and captures what it did.

#include <filesystem>
#include <string>
#include <vector>

namespace TestSupport {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs towary with the arguments; standard input is empty (not a terminal).
RunResult runTowary(const std::vector<std::string>& args, const std::string& input = "");
// As runTowary, but when the tests run as root the command runs as the user
// nobody, so that file permissions bite as they do for a clerk.
RunResult runTowaryUnprivileged(const std::vector<std::string>& args);
// The whole text of a file the command wrote; empty when there is none.
std::string readFile(const std::filesystem::path& file);

}  // namespace TestSupport
