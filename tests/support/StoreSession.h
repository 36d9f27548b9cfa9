#pragma once
// A test on a new store with its database and a session opened on it, and the
// statements a piece of work runs, traced, for the database layer's tests.

#include "Core/Database/SqlTrace.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace TestSupport {

class StoreSession : public ::testing::Test {
protected:
    TempStore store{TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
};

// The executions of statements the work ran, traced with the engine's plans.
inline std::vector<DBKernel::TracedExecution> traced(const std::function<void()>& work) {
    std::vector<DBKernel::TracedExecution> runs;
    DBKernel::SqlTrace::start([&runs](const DBKernel::TracedExecution& run) { runs.push_back(run); }, true);
    struct StopTrace {
        ~StopTrace() { DBKernel::SqlTrace::stop(); }
    } stopsWhenWorkEnds;  // also when it throws
    work();
    return runs;
}

}  // namespace TestSupport
