#include "tests/support/TowaryStore.h"

namespace TestSupport {

TowaryStore::TowaryStore() {
    std::vector<std::string> args{"init", dir_};
    if (!scratch_.server().empty()) args.insert(args.end(), {"--database", scratch_.server()});
    const auto init = runTowary(args);
    EXPECT_EQ(init.exitCode, 0) << init.err;
}

RunResult TowaryStore::run(const std::string& group, std::vector<std::string> args) const {
    args.insert(args.begin() + (args.empty() ? 0 : 1), dir_);
    args.insert(args.begin(), group);
    return runTowary(args);
}

RunResult TowaryStore::sql(const std::string& statement) const { return runTowary({"sql", dir_, statement}); }

void TowaryStore::set(const std::string& path, const std::string& value) const {
    const auto result = runTowary({"settings", "set", dir_, path, value});
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

void TowaryStore::expectOutput(const RunResult& result, const std::string& out) {
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, "");
}

void TowaryStore::expectFailure(const RunResult& result, const std::string& text) {
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "towary: " + text + "\n");
}

void TowaryStore::expectBadUsage(const RunResult& result, const std::string& text) {
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
}

}  // namespace TestSupport
