#pragma once
// The SQL trace for support staff: while it is on, every execution of a
// statement the module hands the layer is recorded once, in the module's text,
// as the engine runs it, with its parameters and the rows it touched (and the
// engine's plan when asked). `towary --trace-sql` writes the records to the
// store's log; tests collect them to compare the module's texts.

#include "Core/Database/Backend/Backend.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace DBKernel {

// One execution of one statement.
struct TracedExecution {
    std::string text;                                        // as the module wrote it
    std::vector<std::string> engineTexts;                    // as the engine runs it
    std::vector<std::pair<std::string, Value>> parameters;  // by name, as bound for this run
    std::int64_t rows = 0;                                   // rows read, or changed by a write
    std::string plan;                                        // the engine's plan, when asked for
    std::string failure;                                     // the engine's reason when the run failed
};

// The process's trace; off unless started.
class SqlTrace {
public:
    using Sink = std::function<void(const TracedExecution&)>;

    // From now on every execution goes to the sink, of every statement a query takes
    // from its session after this (a query already prepared is not traced); withPlan
    // asks the engine for its plan too.
    static void start(Sink sink, bool withPlan);
    static void stop();
    static bool on();

    // A sink that appends each record to the file (its directory is made). Throws
    // std::runtime_error naming the file when it cannot be opened; a record the
    // file does not take later is lost (the trace never stops the work).
    static Sink appendingTo(const std::filesystem::path& file);
    // The record as the log shows it; see docs/database.md, "The SQL trace".
    static std::string format(const TracedExecution& execution);

    // The statement, recording its runs while the trace is on; a statement already traced as it is.
    static std::unique_ptr<Backend::Statement> traced(std::unique_ptr<Backend::Statement> statement);
    // The statement without its recording, for the session's cache.
    static std::unique_ptr<Backend::Statement> untraced(std::unique_ptr<Backend::Statement> statement);
};

}  // namespace DBKernel
