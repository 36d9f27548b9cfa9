#include "tests/support/TowaryStore.h"

#include <fstream>

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

std::string TowaryStore::value(const std::string& query) const {
    const auto out = sql(query).out;
    const auto row = out.find('\n') + 1;
    return row < out.size() ? out.substr(row, out.find_first_of("\t\n", row) - row) : "";
}

void TowaryStore::execOne(const std::string& statement) const {
    const auto result = sql(statement);
    EXPECT_EQ(result.exitCode, 0) << statement << "\n" << result.err;
    EXPECT_EQ(result.out.rfind("Zmienionych wierszy: ", 0), 0u) << statement << "\n" << result.out;
    EXPECT_EQ(result.err, "") << statement;
}

std::string TowaryStore::file(const std::string& name, const std::string& text) const {
    const auto path = (scratch_.path() / name).string();
    if (!text.empty()) std::ofstream(path) << text;
    return path;
}

void TowaryStore::expectIn(const std::string& text, const std::vector<std::string>& fragments) {
    for (const auto& fragment : fragments)
        EXPECT_NE(text.find(fragment), std::string::npos) << fragment << "\nin:\n" << text;
}

void TowaryStore::expectResult(const RunResult& result, const RunResult& expected) {
    EXPECT_EQ(result.exitCode, expected.exitCode) << result.err;
    EXPECT_EQ(result.out, expected.out);
    EXPECT_EQ(result.err, expected.err);
}

void TowaryStore::expectCases(const std::string& group, const std::vector<Case>& cases) const {
    for (const auto& [args, text, exitCode] : cases) {
        std::string line;
        for (const auto& arg : args) line += " " + arg;
        SCOPED_TRACE("towary " + group + line);
        const auto result = group.empty() ? runTowary(args) : run(group, args);
        if (exitCode == 0) expectOutput(result, text);
        else if (exitCode == 1) expectFailure(result, text);
        else expectBadUsage(result, text);
    }
}

}  // namespace TestSupport
