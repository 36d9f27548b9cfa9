#include "Core/Database/SqlTrace.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Database/StatementShape.h"
#include "Core/tools/SystemError.h"

#include <cerrno>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace DBKernel {
namespace {

// Sessions of several threads may trace at once.
struct Trace {
    std::mutex mutex;
    SqlTrace::Sink sink;
    bool withPlan = false;
};

Trace& trace() {
    static Trace instance;
    return instance;
}

void emit(const TracedExecution& execution) {
    Trace& current = trace();
    const std::lock_guard lock(current.mutex);
    if (current.sink) current.sink(execution);
}

bool planWanted() {
    Trace& current = trace();
    const std::lock_guard lock(current.mutex);
    return current.withPlan;
}

// The engine's statement with a record of each run: bindings, rows, the end of the run.
class TracedStatement final : public Backend::Statement {
public:
    explicit TracedStatement(std::unique_ptr<Backend::Statement> inner)
        : Statement(inner->text()), inner_(std::move(inner)), values_(inner_->parameterNames().size()) {
        columnNames_ = inner_->columnNames();
        columnDeclaredTypes_ = inner_->columnDeclaredTypes();
    }
    ~TracedStatement() override { finish(); }

    const std::vector<std::string>& parameterNames() const override { return inner_->parameterNames(); }
    void bind(std::size_t index, const Value& value) override {
        inner_->bind(index, value);
        values_.at(index) = value;
    }

    bool start() override {
        finish();
        running_ = true;
        rowsRead_ = 0;
        try {
            const bool row = inner_->start();
            rowsRead_ += row ? 1 : 0;
            return row;
        } catch (const DatabaseError& error) {
            finish(error.reason());
            throw;
        }
    }
    bool step() override {
        try {
            const bool row = inner_->step();
            rowsRead_ += row ? 1 : 0;
            return row;
        } catch (const DatabaseError& error) {
            finish(error.reason());
            throw;
        }
    }
    void reset() override {
        finish();
        inner_->reset();
    }

    Value column(std::size_t index) const override { return inner_->column(index); }
    ValueView columnView(std::size_t index) const override { return inner_->columnView(index); }
    bool writes() const override { return inner_->writes(); }
    bool compound() const override { return inner_->compound(); }
    bool locksRows() const override { return inner_->locksRows(); }
    bool locksNowait() const override { return inner_->locksNowait(); }
    std::int64_t rowsChanged() const override { return inner_->rowsChanged(); }
    std::vector<std::string> engineTexts() const override { return inner_->engineTexts(); }
    std::string plan() const override { return inner_->plan(); }

    // The statement without its recording; a run going on is recorded first.
    std::unique_ptr<Backend::Statement> release() {
        finish();
        return std::move(inner_);
    }

private:
    // Records the run that is going on, once, when it ends.
    void finish(std::string failure = {}) {
        if (!running_) return;
        running_ = false;
        if (!SqlTrace::on()) return;
        TracedExecution execution{text(), inner_->engineTexts(), {}, 0, {}, std::move(failure)};
        for (std::size_t i = 0; i < values_.size(); ++i)
            execution.parameters.emplace_back(inner_->parameterNames()[i], values_[i]);
        // The values the layer took out of the text bind the engine's statement too.
        if (const auto* shaped = dynamic_cast<const ShapedStatement*>(inner_.get()))
            for (const auto& [name, value] : shaped->literals()) execution.parameters.emplace_back(name, value);
        execution.rows = columnNames_.empty() ? inner_->rowsChanged() : rowsRead_;
        if (planWanted()) execution.plan = inner_->plan();
        emit(execution);
    }

    std::unique_ptr<Backend::Statement> inner_;
    std::vector<Value> values_;
    bool running_ = false;
    std::int64_t rowsRead_ = 0;
};

void appendLines(std::string& to, const std::string& text) {
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const auto end = text.find('\n', begin);
        to += "  | " + text.substr(begin, end - begin) + "\n";
        if (end == std::string::npos) break;
        begin = end + 1;
    }
}

std::string literal(const Value& value) {
    if (isNull(value)) return "NULL";
    if (const auto* text = std::get_if<std::string>(&value)) return "'" + SQLUtils::SQLString(*text) + "'";
    return toString(value);
}

}  // namespace

void SqlTrace::start(Sink sink, bool withPlan) {
    Trace& current = trace();
    const std::lock_guard lock(current.mutex);
    current.sink = std::move(sink);
    current.withPlan = withPlan;
}

void SqlTrace::stop() { start(nullptr, false); }

bool SqlTrace::on() {
    Trace& current = trace();
    const std::lock_guard lock(current.mutex);
    return static_cast<bool>(current.sink);
}

SqlTrace::Sink SqlTrace::appendingTo(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    auto out = std::make_shared<std::ofstream>(file, std::ios::app | std::ios::binary);
    if (!*out)
        throw std::runtime_error("Nie można otworzyć dziennika SQL " + file.string() + ": " +
                                 Core::systemErrorText(errno) + ".");
    // A record is written when a run ends, often while a query is destroyed: a
    // record the file does not take is lost, and the work goes on.
    return [out](const TracedExecution& execution) { *out << format(execution) << std::flush; };
}

std::string SqlTrace::format(const TracedExecution& execution) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream stamp;
    stamp << std::put_time(&local, "%F %T");
    std::string record = "== " + stamp.str() + " polecenie\nmoduł:\n";
    appendLines(record, execution.text);
    record += "silnik:\n";
    for (const auto& text : execution.engineTexts) appendLines(record, text);
    record += "parametry:";
    if (execution.parameters.empty()) record += " brak";
    for (const auto& [name, value] : execution.parameters) record += " :" + name + " = " + literal(value) + ";";
    record += "\n";
    if (execution.failure.empty()) {
        record += "wiersze: " + std::to_string(execution.rows) + "\n";
    } else {
        record += "błąd: " + execution.failure + "\n";
    }
    if (!execution.plan.empty()) {
        record += "plan:\n";
        appendLines(record, execution.plan);
    }
    return record;
}

std::unique_ptr<Backend::Statement> SqlTrace::untraced(std::unique_ptr<Backend::Statement> statement) {
    if (auto* traced = dynamic_cast<TracedStatement*>(statement.get())) return traced->release();
    return statement;
}

std::unique_ptr<Backend::Statement> SqlTrace::traced(std::unique_ptr<Backend::Statement> statement) {
    if (dynamic_cast<TracedStatement*>(statement.get()) != nullptr) return statement;
    return std::make_unique<TracedStatement>(std::move(statement));
}

}  // namespace DBKernel
