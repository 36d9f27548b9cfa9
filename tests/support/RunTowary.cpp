#include "tests/support/RunTowary.h"

#include "tests/support/ChildProcess.h"

#include <fstream>
#include <sstream>

namespace TestSupport {

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RunResult runTowary(const std::vector<std::string>& args, const std::string& input) {
    return ChildProcess(std::string(TOWARY_BIN_DIR) + "/towary", args).finish(input);
}

RunResult runTowaryUnprivileged(const std::vector<std::string>& args) {
    return ChildProcess(std::string(TOWARY_BIN_DIR) + "/towary", args, true).finish();
}

}  // namespace TestSupport
