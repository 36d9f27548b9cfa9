#pragma once
// A test on a new store with its database and a session opened on it, and
// statements run there with their parameters, for the database layer's tests.

#include "Core/Database/Sql.h"
#include "Core/Database/SqlTrace.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

class StoreSession : public ::testing::Test {
protected:
    TempStore store{TempStore::withDatabase};
    TSessionHolder session = TSessionHolder::open();
};

inline void setParams(DBKernel::Sql::Query& query, const Bindings& parameters) {
    for (const auto& [name, value] : parameters) query.Params[name].set(value);
}

// Runs the write statement on the session with the parameters; gives the rows it changed.
inline std::int64_t changed(const TSessionHolder& session, const std::string& statement,
                            const Bindings& parameters = {}) {
    DBKernel::Sql::Command command(statement, session);
    setParams(command, parameters);
    return command.execute();
}

// The rows the query gives with the parameters, written as rows() writes them.
inline std::string rows(const TSessionHolder& session, const std::string& query, const Bindings& parameters) {
    DBKernel::Sql::PreparedQuery read(query, session);
    setParams(read, parameters);
    read.execute();
    return rows(read);
}

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
