#pragma once
// A store made by `towary init` in a temporary directory, driven through the
// real towary command as a user drives it; the base of command tests.

#include "tests/support/RunTowary.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace TestSupport {

class TowaryStore : public ::testing::Test {
protected:
    TowaryStore();

    // Runs `towary GROUP COMMAND DIR ARGS...` for this store; args start with the command.
    RunResult run(const std::string& group, std::vector<std::string> args) const;
    // Runs `towary NAME DIR ARGS...`, for the commands without a subcommand (find, lists, ...).
    RunResult command(const std::string& name, std::vector<std::string> args) const {
        args.insert(args.begin(), {name, dir_});
        return runTowary(args);
    }
    // Runs `towary sql DIR STATEMENT` for this store.
    RunResult sql(const std::string& statement) const { return runTowary({"sql", dir_, statement}); }
    // The first value of the first row the query gives, as `towary sql` prints it; "" for no row.
    std::string value(const std::string& query) const;
    // Runs each write statement with `towary sql`, expecting each to succeed and report the rows it changed.
    template <class... Statements>
    void exec(const Statements&... statements) const {
        (execOne(statements), ...);
    }
    // Writes the text (when there is any) to a file of the name beside the store; gives its path.
    std::string file(const std::string& name, const std::string& text = "") const;
    // Sets a setting with `towary settings set`, expecting it to succeed.
    void set(const std::string& path, const std::string& value) const {
        const auto result = runTowary({"settings", "set", dir_, path, value});
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }

    // The command did its job: its output, nothing on standard error, exit code 0.
    static void expectOutput(const RunResult& result, const std::string& out) { expectResult(result, {0, out, ""}); }
    // The command failed cleanly: nothing on standard output, the text on standard error, exit code 1.
    static void expectFailure(const RunResult& result, const std::string& text) {
        expectResult(result, {1, "", "towary: " + text + "\n"});
    }
    // The command line was refused: exit code 2, the reason on standard error.
    static void expectBadUsage(const RunResult& result, const std::string& text) {
        EXPECT_EQ(result.out, "");
        expectFailureWith(result, text, 2);
    }
    // The command did its job (exit code 0).
    static void expectSuccess(const RunResult& result) { EXPECT_EQ(result.exitCode, 0) << result.err; }
    // The text (a file the command wrote, say) holds each fragment.
    static void expectIn(const std::string& text, const std::vector<std::string>& fragments);
    // The command did its job and its output holds each fragment.
    static void expectContains(const RunResult& result, const std::vector<std::string>& fragments) {
        expectSuccess(result);
        expectIn(result.out, fragments);
    }
    // The command ended with the expected exit code, standard output and standard error, all three.
    static void expectResult(const RunResult& result, const RunResult& expected);
    // The command ended with the exit code and exactly this on standard error.
    static void expectError(const RunResult& result, const std::string& err, int exitCode = 1) {
        EXPECT_EQ(result.exitCode, exitCode) << result.out;
        EXPECT_EQ(result.err, err);
    }
    // The command failed (exit code 1, or the one given) with a message holding the text.
    static void expectFailureWith(const RunResult& result, const std::string& text, int exitCode = 1) {
        EXPECT_EQ(result.exitCode, exitCode) << result.out;
        EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
    }

    // A run of towary and what it must give: exit code 0 prints exactly the text (expectOutput), 1 fails with
    // exactly it (expectFailure), 2 is bad usage naming it (expectBadUsage).
    struct Case {
        std::vector<std::string> args;
        std::string text;
        int exitCode = 1;
    };
    // Runs each case as run(group, args), or as towary ARGS when the group is empty, and checks it.
    void expectCases(const std::string& group, const std::vector<Case>& cases) const;

    void execOne(const std::string& statement) const;

    TempStore scratch_;
    std::string dir_ = (scratch_.path() / "sklep").string();
};

}  // namespace TestSupport
