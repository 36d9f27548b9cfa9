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
    // Runs `towary sql DIR STATEMENT` for this store.
    RunResult sql(const std::string& statement) const;
    // Sets a setting with `towary settings set`, expecting it to succeed.
    void set(const std::string& path, const std::string& value) const;

    // The command did its job: its output, nothing on standard error, exit code 0.
    static void expectOutput(const RunResult& result, const std::string& out);
    // The command failed cleanly: nothing on standard output, the text on standard error, exit code 1.
    static void expectFailure(const RunResult& result, const std::string& text);
    // The command line was refused: exit code 2, the reason on standard error.
    static void expectBadUsage(const RunResult& result, const std::string& text);

    TempStore scratch_;
    std::string dir_ = (scratch_.path() / "sklep").string();
};

}  // namespace TestSupport
