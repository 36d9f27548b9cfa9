#include "tests/support/RunTowary.h"

#include "tests/support/ChildProcess.h"

#include <fstream>
#include <sstream>

namespace TestSupport {
namespace {

RunResult run(const std::vector<std::string>& args, const std::string& input, bool unprivileged) {
    ChildProcess towary(std::string(TOWARY_BIN_DIR) + "/towary", args, unprivileged);
    towary.send(input);
    return towary.finish();
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
