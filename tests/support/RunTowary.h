#pragma once
// Runs the built towary command as a user would and captures what it did.

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

}  // namespace TestSupport
