#include "Core/Database/Backend/PostgresConnection.h"
#include "Core/Database/Backend/ServerEngine.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Dialect/ColumnNames.h"
#include "Core/Database/Dialect/Dialect.h"
#include "Core/Debug/Debug.h"
#include "Core/tools/IgnoringCase.h"
#include "Core/tools/Numbers.h"

#include <libpq-events.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string_view>
#include <type_traits>

namespace DBKernel::Backend {
namespace {

struct ResultClearer {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultClearer>;

struct PgConnectionCloser {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
using PgConnectionHandle = std::unique_ptr<PGconn, PgConnectionCloser>;

// Seconds a connection waits for the server to answer; a failed one asks
// again the shorter while whether the server answers at all.
constexpr const char* kConnectTimeout = "10";
constexpr const char* kPingTimeout = "2";

// Type oids of the server's catalogue (pg_type.h) that the layer reads as numbers.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kOid = 26, kFloat4 = 700,
              kFloat8 = 701, kNumeric = 1700;

bool isIntegerType(Oid type) { return type == kInt8 || type == kInt2 || type == kInt4 || type == kOid; }
bool isRealType(Oid type) { return type == kFloat4 || type == kFloat8 || type == kNumeric; }

// SQLite's result code of the kind of failure the server's SQLSTATE names.
int codeOf(std::string_view state) {
    if (state == "23505") return SQLITE_CONSTRAINT_UNIQUE;
    if (state == "23503") return SQLITE_CONSTRAINT_FOREIGNKEY;
    if (state == "23502") return SQLITE_CONSTRAINT_NOTNULL;
    if (state == "23514") return SQLITE_CONSTRAINT_CHECK;
    if (state.starts_with("23")) return SQLITE_CONSTRAINT;
    // A rule of the store refused the write in its own words ("raise exception").
    if (state == "P0001") return SQLITE_CONSTRAINT_TRIGGER;
    // A lock another workstation holds: at once (nowait) or past the lock timeout; a deadlock.
    if (state == "55P03" || state == "40P01" || state == "40001") return SQLITE_BUSY;
    if (state == "25006") return SQLITE_READONLY;
    if (state == "53100") return SQLITE_FULL;
    if (state.starts_with("08") || state == "57P01" || state == "57P02" || state == "57P03") return SQLITE_IOERR;
    if (state.starts_with("28")) return SQLITE_AUTH;
    if (state == "42501") return SQLITE_PERM;
    if (state == "54000" || state == "22001") return SQLITE_TOOBIG;
    // A value out of the range of its type: a number, a date, a time span.
    if (state == "22003" || state == "22008" || state == "22015") return SQLITE_RANGE;
    // Any other value the server could not take: a bad number or date, a division by zero.
    if (state.starts_with("22")) return SQLITE_MISMATCH;
    return SQLITE_ERROR;
}

// The server's name as messages give it (DatabaseLocation::text()), kept with
// the libpq connection so that every failure on it names it.
int keepsServerName(PGEventId, void*, void*) { return 1; }

void nameServer(PGconn* connection, const std::string& name) {
    PQregisterEventProc(connection, keepsServerName, "towary", nullptr);
    PQsetInstanceData(connection, keepsServerName, const_cast<std::string*>(&name));
}

std::string serverName(const PGconn* connection) {
    const auto* name = static_cast<const std::string*>(PQinstanceData(connection, keepsServerName));
    return name != nullptr ? *name : std::string();
}

// libpq's own reason, without its line ends.
std::string libpqReason(const PGconn* connection) {
    std::string reason = PQerrorMessage(connection);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
    return reason;
}

std::string field(const PGresult* result, int code) {
    const char* text = PQresultErrorField(result, code);
    return text != nullptr ? text : "";
}

// The server's reason; a key's or a column's failure names them after a colon, as the layer's messages expect.
DatabaseError serverError(const std::string& statement, const PGresult* result, PGconn* connection) {
    const std::string server = serverName(connection);
    // The server or the network ended the connection.
    if (result == nullptr || PQstatus(connection) == CONNECTION_BAD)
        return DatabaseError(statement, libpqReason(connection), SQLITE_IOERR, server);
    const std::string state = field(result, PG_DIAG_SQLSTATE);
    std::string reason = field(result, PG_DIAG_MESSAGE_PRIMARY);
    if (reason.empty()) reason = PQresultErrorMessage(result);
    const std::string table = field(result, PG_DIAG_TABLE_NAME);
    if (state == "23502") reason += ": " + table + "." + field(result, PG_DIAG_COLUMN_NAME);
    if (state == "23505") {
        // "Key (splu)=(590...) already exists."
        const std::string detail = field(result, PG_DIAG_MESSAGE_DETAIL);
        const auto open = detail.find('('), close = detail.find(')');
        if (open != std::string::npos && close != std::string::npos && close > open)
            reason += ": " + table + "." + detail.substr(open + 1, close - open - 1);
    }
    return DatabaseError(statement, reason, codeOf(state), server);
}

bool succeeded(const PGresult* result) {
    const auto status = result != nullptr ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

// Runs a statement without parameters; throws naming `statement` (the caller's text) on failure.
Result execute(PGconn* connection, const std::string& sql, const std::string& statement) {
    Result result(PQexec(connection, sql.c_str()));
    if (!succeeded(result.get())) throw serverError(statement, result.get(), connection);
    return result;
}

Result execute(PGconn* connection, const std::string& sql) { return execute(connection, sql, sql); }

// The same with parameters, of those types (none: the server decides).
Result execute(PGconn* connection, const std::string& sql, const std::string& statement,
               const std::vector<Oid>& types, const std::vector<const char*>& values) {
    Result result(PQexecParams(connection, sql.c_str(), static_cast<int>(values.size()),
                               types.empty() ? nullptr : types.data(), values.data(), nullptr, nullptr, 0));
    if (!succeeded(result.get())) throw serverError(statement, result.get(), connection);
    return result;
}

// Runs body inside a savepoint when a transaction is open, so that its failure
// undoes it alone and leaves the transaction usable, as Oracle's statements do.
// The body fails by throwing, or by returning the server's refusal (a Result),
// which the caller then reads.
template <class Body>
auto alone(PGconn* connection, const std::string& statement, Body body) {
    if (PQtransactionStatus(connection) != PQTRANS_INTRANS) return body();
    execute(connection, "savepoint towary_statement", statement);
    const auto undo = [&] {
        execute(connection, "rollback to savepoint towary_statement", statement);
        execute(connection, "release savepoint towary_statement", statement);
    };
    try {
        auto result = body();
        if constexpr (std::is_same_v<decltype(result), Result>) {
            if (!succeeded(result.get())) {
                undo();
                return result;
            }
        }
        execute(connection, "release savepoint towary_statement", statement);
        return result;
    } catch (...) {
        undo();
        throw;
    }
}

// The text the server reads for a value: parameters go as untyped text, which
// the server reads as the type the statement gives them, as Oracle converts.
const char* textOf(const Value& value, std::string& buffer) {
    switch (value.index()) {
        case 0: return nullptr;
        case 3: return std::get<std::string>(value).c_str();
        default: buffer = toString(value); return buffer.c_str();
    }
}

// The name of this machine's time zone ("Europe/Warsaw"): TZ, else the zone /etc/localtime links to.
std::string localTimeZone() {
    std::string file = "/etc/localtime";
    if (const char* zone = std::getenv("TZ"); zone != nullptr && *zone != '\0') {
        const std::string_view name = *zone == ':' ? zone + 1 : zone;
        if (!name.starts_with('/')) return std::string(name);
        file = name;  // ":/etc/localtime": the zone the file links to
    }
    std::error_code error;
    const auto target = std::filesystem::read_symlink(file, error).string();
    const auto at = target.find("zoneinfo/");
    return error || at == std::string::npos ? std::string() : target.substr(at + 9);
}

bool isWriting(std::string_view sql) {
    const auto start = sql.find_first_not_of(" \t\r\n(");
    if (start == std::string_view::npos) return false;
    const auto word = sql.substr(start, sql.find_first_of(" \t\r\n(", start) - start);
    for (const char* writer : {"insert", "update", "delete", "merge", "create", "drop", "alter", "truncate"})
        if (Core::equalsIgnoringCase(word, writer)) return true;
    return false;
}

// What a connection's statements share with it: the connection, made again
// when the server ended it, and the count of connections made, since a new
// one knows none of the statements prepared on the one before.
class ServerSession {
public:
    // The connection, connected again first when the server or the network
    // ended it and no transaction of the layer's was open on it.
    virtual PGconn* live() = 0;

    unsigned long connections = 1;
    unsigned long statements = 0;  // names the prepared statements

protected:
    ~ServerSession() = default;
};

class PostgresStatement final : public Statement {
public:
    PostgresStatement(ServerSession& server, const std::string& text)
        : Statement(text), server_(server), connection_(server.live()) {
        auto translation = Dialect::translate(text, Dialect::Target::postgresql);
        lockRows_ = translation.lockRows;
        lockNowait_ = translation.lockNowait;
        for (std::size_t i = 0; i < translation.statements.size(); ++i) {
            Part part;
            part.name = "towary_" + std::to_string(++server.statements);
            part.sql = translation.statements[i];
            for (const auto& name : translation.parameters[i]) part.parameters.push_back(parameterIndex(name));
            writes_ = writes_ || isWriting(part.sql);
            parts_.push_back(std::move(part));
        }
        if (parts_.empty()) throw DatabaseError(text, "polecenie jest puste");
        try {
            prepareAll();
        } catch (...) {
            deallocate();
            throw;
        }
    }

    ~PostgresStatement() override { deallocate(); }

    const std::vector<std::string>& parameterNames() const override { return parameterNames_; }

    void bind(std::size_t index, const Value& value) override { values_[index] = value; }

    bool start() override {
        rowsChanged_ = 0;
        result_.reset();
        row_ = 0;
        server_.live();
        if (preparedIn_ != server_.connections) prepareAll();
        try {
            alone(connection_, text(), [&] {
                for (auto& part : parts_) {
                    if (part.typed) prepareTyped(part);
                    result_ = run(part);
                    const char* changed = PQcmdTuples(result_.get());
                    if (*changed != '\0') rowsChanged_ += std::strtoll(changed, nullptr, 10);
                }
                return true;
            });
        } catch (...) {
            result_.reset();
            throw;
        }
        rows_ = PQntuples(result_.get());
        return rows_ > 0;
    }

    bool step() override { return ++row_ < rows_; }

    void reset() override {
        result_.reset();
        rows_ = row_ = 0;
    }

    Value column(std::size_t index) const override { return toValue(columnView(index)); }

    // The row's texts lie in the result until the next run: read where they lie.
    ValueView columnView(std::size_t index) const override {
        const int column = static_cast<int>(index);
        if (PQgetisnull(result_.get(), row_, column) != 0) return {};
        const char* text = PQgetvalue(result_.get(), row_, column);
        const std::string_view value(text, static_cast<std::size_t>(PQgetlength(result_.get(), row_, column)));
        const Oid type = types_[index];
        if (type == kBool) return std::int64_t{value == "t" ? 1 : 0};
        if (isIntegerType(type) || (type == kNumeric && value.find_first_of(".eE") == std::string_view::npos)) {
            std::int64_t whole = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), whole);
            if (error == std::errc() && end == value.data() + value.size()) return whole;
        }
        if (isRealType(type) || type == kNumeric) {
            if (const auto number = Core::parseNumber<double>(value)) return *number;
        }
        return value;
    }

    bool writes() const override { return writes_; }
    bool compound() const override { return parts_.size() > 1; }
    bool locksRows() const override { return lockRows_; }
    bool locksNowait() const override { return lockNowait_; }
    std::int64_t rowsChanged() const override { return rowsChanged_; }

    std::vector<std::string> engineTexts() const override {
        std::vector<std::string> texts;
        for (const auto& part : parts_) texts.push_back(part.sql);
        return texts;
    }

    // The server's "explain" of each part with the bound values.
    std::string plan() const override {
        std::string plan;
        for (const auto& part : parts_) {
            std::vector<std::string> buffers(part.parameters.size());
            std::vector<const char*> values;
            for (std::size_t i = 0; i < part.parameters.size(); ++i)
                values.push_back(textOf(values_[part.parameters[i]], buffers[i]));
            const std::string explain = "explain " + part.sql;
            // The trace must not cost the user's transaction: a refused explain undoes itself alone.
            Result result;
            try {
                result = alone(connection_, explain, [&] {
                    return execute(connection_, explain, text(), part.types, values);
                });
            } catch (const DatabaseError& e) {
                return plan + "(" + e.reason() + ")";
            }
            for (int row = 0; row < PQntuples(result.get()); ++row)
                plan += (plan.empty() ? "" : "\n") + std::string(PQgetvalue(result.get(), row, 0));
        }
        return plan;
    }

private:
    struct Part {
        std::string name;  // of the prepared statement on the server
        std::string sql;
        std::vector<std::size_t> parameters;  // $1, $2... as indexes into parameterNames_
        bool prepared = false;
        // Prepared again before each run, with types where the server needs them (below).
        bool typed = false;
        std::vector<bool> needsType;  // the server could not type $n from the statement
        bool typeNumbers = false;     // numbers bound untyped met an operator or a column they did not fit
        bool nullsAsNumbers = false;  // a NULL typed as text met a number's column ("x is null or n = x")
        std::vector<Oid> types;       // what it is prepared with
    };

    // Prepares every part, on the connection as it is now.
    void prepareAll() {
        preparedIn_ = server_.connections;
        for (auto& part : parts_) {
            part.prepared = part.typed = false;
            prepareUntyped(part);
        }
        if (parts_.back().prepared) describe();
    }

    // Prepares the part with those parameter types (0: the server decides);
    // a failed preparation inside a transaction undoes itself alone, as a
    // statement does. The server's refusal, or nothing.
    Result tryPrepare(Part& part, const std::vector<Oid>& types) {
        Result prepared = alone(connection_, text(), [&] {
            return Result(PQprepare(connection_, part.name.c_str(), part.sql.c_str(), static_cast<int>(types.size()),
                                    types.empty() ? nullptr : types.data()));
        });
        const bool done = succeeded(prepared.get());
        part.prepared = done;
        if (done) part.types = types;
        return done ? Result() : std::move(prepared);
    }

    // What a refusal says the part needs: a type for the parameter it names
    // ("could not determine data type of parameter $2"), or the numbers typed
    // (an operator or a column a text did not fit). False when it is no such refusal.
    bool learnFrom(Part& part, const PGresult* refusal) {
        const std::string state = refusal != nullptr ? field(refusal, PG_DIAG_SQLSTATE) : "";
        if (state == "42P08" || state == "42P18") {
            const std::string message = field(refusal, PG_DIAG_MESSAGE_PRIMARY);
            const auto dollar = message.rfind('$');
            const std::size_t number = dollar == std::string::npos ? 0 : std::strtoul(message.c_str() + dollar + 1, nullptr, 10);
            if (number == 0 || number > part.parameters.size() || part.needsType[number - 1]) return false;
            part.needsType[number - 1] = true;
            return true;
        }
        if (state == "42883" || state == "42804" || state == "42725") {
            if (!part.typeNumbers) return part.typeNumbers = true;
            if (!part.nullsAsNumbers) return part.nullsAsNumbers = true;
        }
        return false;
    }

    // Parameters travel as untyped text, which the server reads as the type the
    // statement gives them, as Oracle converts (a number bound to a text column).
    // A statement that leaves a parameter without a type is prepared at each
    // run instead (when the values' types change), typing what it must.
    void prepareUntyped(Part& part) {
        part.needsType.assign(part.parameters.size(), false);
        const Result refusal = tryPrepare(part, {});
        if (part.prepared) return;
        if (part.parameters.empty() || !learnFrom(part, refusal.get())) throw serverError(text(), refusal.get(), connection_);
        part.typed = true;
    }

    // The types the values give: a parameter the server could not type takes
    // its value's (a text as text, a NULL as text or, once text did not fit, as
    // a number), numbers theirs once they must.
    std::vector<Oid> typesOf(const Part& part) const {
        std::vector<Oid> types;
        for (std::size_t i = 0; i < part.parameters.size(); ++i) {
            const auto& value = values_[part.parameters[i]];
            const Oid number = std::holds_alternative<std::int64_t>(value) ? kInt8
                               : std::holds_alternative<double>(value)     ? kFloat8
                                                                           : 0;
            const Oid untyped = part.nullsAsNumbers && value.index() == 0 ? kInt8 : kText;
            types.push_back(part.needsType[i] ? (number != 0 ? number : untyped) : part.typeNumbers ? number : 0);
        }
        return types;
    }

    void prepareTyped(Part& part) {
        for (;;) {
            const auto types = typesOf(part);
            if (part.prepared && types == part.types) return;
            if (part.prepared) Result(PQexec(connection_, ("deallocate " + part.name).c_str()));
            const Result refusal = tryPrepare(part, types);
            if (part.prepared) break;
            if (!learnFrom(part, refusal.get())) throw serverError(text(), refusal.get(), connection_);
        }
        if (&part == &parts_.back()) describe();
    }

    // A statement kept by no one is dropped on the server too; in a
    // transaction that already failed the server ignores it, and the
    // statement goes with the connection.
    void deallocate() {
        // A connection made since knows none of them: a refused deallocate would break its transaction.
        if (preparedIn_ != server_.connections) return;
        for (const auto& part : parts_)
            if (part.prepared) Result(PQexec(connection_, ("deallocate " + part.name).c_str()));
    }

    // The columns of the last part, known before it runs (again once it is prepared again),
    // named as the module's text spells them rather than folded by the server.
    void describe() {
        types_.clear();
        columnNames_.clear();
        columnDeclaredTypes_.clear();
        const Result description(PQdescribePrepared(connection_, parts_.back().name.c_str()));
        if (!description || PQresultStatus(description.get()) != PGRES_COMMAND_OK)
            throw serverError(text(), description.get(), connection_);
        const Dialect::ColumnNames names(text());
        for (int i = 0; i < PQnfields(description.get()); ++i) {
            const Oid type = PQftype(description.get(), i);
            types_.push_back(type);
            columnNames_.push_back(names.spelling(static_cast<std::size_t>(i), PQfname(description.get(), i)));
            const bool tableColumn = PQftable(description.get(), i) != InvalidOid;
            columnDeclaredTypes_.emplace_back(!tableColumn           ? ""
                                              : isIntegerType(type) ? "INTEGER"
                                              : isRealType(type)    ? "REAL"
                                                                    : "TEXT");
        }
    }

    std::size_t parameterIndex(const std::string& name) {
        for (std::size_t i = 0; i < parameterNames_.size(); ++i)
            if (Core::equalsIgnoringCase(parameterNames_[i], name)) return i;
        parameterNames_.push_back(name);
        values_.emplace_back();
        return parameterNames_.size() - 1;
    }

    Result run(const Part& part) {
        std::vector<std::string> buffers(part.parameters.size());
        std::vector<const char*> values;
        values.reserve(part.parameters.size());
        for (std::size_t i = 0; i < part.parameters.size(); ++i)
            values.push_back(textOf(values_[part.parameters[i]], buffers[i]));
        Result result(PQexecPrepared(connection_, part.name.c_str(), static_cast<int>(values.size()), values.data(),
                                     nullptr, nullptr, 0));
        const auto status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw serverError(text(), result.get(), connection_);
        return result;
    }

    ServerSession& server_;
    PGconn* connection_;
    unsigned long preparedIn_ = 0;  // the connection the parts were prepared on
    std::vector<Part> parts_;
    std::vector<std::string> parameterNames_;
    std::vector<Value> values_;
    std::vector<Oid> types_;
    Result result_;
    int rows_ = 0;
    int row_ = 0;
    bool writes_ = false;
    bool lockRows_ = false;
    bool lockNowait_ = false;
    std::int64_t rowsChanged_ = 0;
};

// The server's notices and warnings go to the log: a user never reads them on
// the terminal in the server's English.
void logNotice(void*, const PGresult* notice) {
    Core::Debug::logLine("Serwer bazy danych: " + field(notice, PG_DIAG_SEVERITY) + ": " +
                             field(notice, PG_DIAG_MESSAGE_PRIMARY),
                         Core::SrcInfo{"Core/Database/Backend/PostgresConnection", __LINE__, "logNotice"});
}

// The server's session-level advisory lock of a name, held by a connection
// that serves nothing else: lost only when that connection ends. Stores that
// share a database in schemas of their own lock apart.
class ServerNamedLock final : public NamedLock {
public:
    ServerNamedLock(std::string shown, const std::string& name,
                    const std::function<PgConnectionHandle(const std::string&)>& open)
        : shown_(std::move(shown)), statement_("(blokada " + name + ")"), connection_(open(shown_)) {
        execute(connection_.get(), "select pg_advisory_lock(hashtext(coalesce(current_schema(), '') || '.' || $1))",
                statement_, {}, {name.c_str()});
    }

    void check() override { execute(connection_.get(), "select 1", statement_); }

private:
    std::string shown_;  // the server's name in the connection's failures: outlives it
    std::string statement_;
    PgConnectionHandle connection_;
};

class PostgresConnection final : public Connection, private ServerSession {
public:
    PostgresConnection(const std::string& connection, const std::string& shown, const ConnectionOptions& options)
        : shown_(shown), text_(connection), options_(options), connection_(opened(shown_)) {}

    std::unique_ptr<Statement> prepare(const std::string& text) override {
        return std::make_unique<PostgresStatement>(static_cast<ServerSession&>(*this), text);
    }

    // Rows are locked one by one as statements reach them: a transaction takes no lock when it begins.
    void begin(bool) override {
        execute(live(), "begin");
        open_ = true;
    }
    // A transaction a failure left unusable is rolled back by the server's commit: said so, never reported saved.
    void commit() override {
        open_ = false;
        if (PQtransactionStatus(connection_.get()) == PQTRANS_INERROR) {
            execute(connection_.get(), "rollback");
            throw DatabaseError("commit", "transakcję przerwał wcześniejszy błąd; nic z niej nie zapisano",
                                SQLITE_ABORT);
        }
        const auto result = execute(connection_.get(), "commit");
        if (std::string_view(PQcmdStatus(result.get())) != "COMMIT")
            throw DatabaseError("commit", "serwer wycofał transakcję; nic z niej nie zapisano", SQLITE_ABORT);
    }

    // On a connection the server ended, the server has rolled the transaction back.
    void rollback() override {
        open_ = false;
        if (PQstatus(connection_.get()) == CONNECTION_OK && inTransaction()) execute(connection_.get(), "rollback");
    }

    // A transaction on a connection the server ended stays open until the layer ends it.
    bool inTransaction() const override {
        const auto status = PQtransactionStatus(connection_.get());
        return status == PQTRANS_UNKNOWN ? open_ : status != PQTRANS_IDLE;
    }

    void savepoint(const std::string& name) override { execute(connection_.get(), "savepoint " + name); }
    void release(const std::string& name) override { execute(connection_.get(), "release savepoint " + name); }
    void rollbackTo(const std::string& name) override {
        execute(connection_.get(), "rollback to savepoint " + name);
    }

    void runScript(const std::string& script) override { execute(live(), script); }

    int schemaVersion() override {
        const auto table = execute(live(), "select to_regclass('towary_schema_version') is not null");
        if (std::string_view(PQgetvalue(table.get(), 0, 0)) != "t") return 0;
        const auto result = execute(connection_.get(), "select max(version) from towary_schema_version");
        return PQgetisnull(result.get(), 0, 0) != 0 ? 0 : std::atoi(PQgetvalue(result.get(), 0, 0));
    }

    void setSchemaVersion(int version) override {
        execute(live(), "create table if not exists towary_schema_version (version integer not null)");
        execute(connection_.get(), "delete from towary_schema_version");
        execute(connection_.get(), "insert into towary_schema_version values (" + std::to_string(version) + ")");
    }

    std::vector<std::string> tableNames() override {
        const auto result = execute(live(),
                                    "select tablename from pg_tables where schemaname = current_schema()");
        std::vector<std::string> names;
        for (int row = 0; row < PQntuples(result.get()); ++row) names.emplace_back(PQgetvalue(result.get(), row, 0));
        return names;
    }

    // The server runs the store's routines itself (the schema's routines
    // script): a function the layer serves must be one the server has. A name
    // without a schema is the store's schema's (the connection's search_path).
    void defineFunction(const std::string& name, int, FunctionBody) override {
        if (serverFunctions_.empty()) {
            const auto result =
                execute(live(),
                        "select lower(case when n.nspname = current_schema() then '' else n.nspname || '.' end || "
                        "p.proname) from pg_proc p join pg_namespace n on n.oid = p.pronamespace");
            for (int row = 0; row < PQntuples(result.get()); ++row)
                serverFunctions_.insert(PQgetvalue(result.get(), row, 0));
        }
        if (!serverFunctions_.contains(Core::lowerAscii(name)))
            throw DatabaseError("(funkcja " + name + ")",
                                "serwer bazy danych nie ma tej funkcji sklepu; schemat na serwerze jest niepełny");
    }

    std::int64_t nextRef() override {
        return alone(live(), "newref", [&] {
            const auto result = execute(connection_.get(), "select newref()");
            return std::strtoll(PQgetvalue(result.get(), 0, 0), nullptr, 10);
        });
    }

    void reserveRefsThrough(std::int64_t ref) override {
        const std::string sql = "select reserverefs(" + std::to_string(ref) + ")";
        alone(live(), sql, [&] { return execute(connection_.get(), sql); });
    }

    // The server's advisory lock, on a connection of the lock's own: no
    // transaction stays open, and the server frees it when that connection
    // ends, whatever ended its holder.
    std::unique_ptr<NamedLock> lockName(const std::string& name) override {
        return std::make_unique<ServerNamedLock>(shown_, name,
                                                 [this](const std::string& shown) { return opened(shown); });
    }

private:
    // libpq's parameters: the connection text, which overrides the timeout (in seconds) when it gives one.
    struct Parameters {
        const char* keywords[3];
        const char* values[3];
    };
    Parameters parameters(const char* timeout) const {
        return {{"connect_timeout", "dbname", nullptr}, {timeout, text_.c_str(), nullptr}};
    }

    // A workstation gives up on a server that does not answer instead of
    // hanging, after kConnectTimeout unless PGCONNECT_TIMEOUT gives a time.
    PgConnectionHandle connect() const {
        const auto given = parameters(std::getenv("PGCONNECT_TIMEOUT") != nullptr ? "" : kConnectTimeout);
        return PgConnectionHandle(PQconnectdbParams(given.keywords, given.values, 1));
    }

    // A new connection set up for the layer's statements, its failures naming
    // the server as `shown`, which must outlive it.
    PgConnectionHandle opened(const std::string& shown) const {
        auto connection = connect();
        if (!connection) throw DatabaseError(opening(), "brak pamięci", SQLITE_NOMEM, shown_);
        if (PQstatus(connection.get()) != CONNECTION_OK) throw refused(connection.get());
        nameServer(connection.get(), shown);
        PQsetNoticeReceiver(connection.get(), logNotice, nullptr);
        setUp(connection.get());
        return connection;
    }

    PGconn* live() override {
        PGconn* connection = connection_.get();
        // A transaction the lost connection ended fails every statement until the layer ends it too:
        // nothing of it may be written apart from the rest.
        if (PQstatus(connection) == CONNECTION_OK || open_) return connection;
        PQreset(connection);
        if (PQstatus(connection) != CONNECTION_OK) throw refused(connection);
        ++connections;
        setUp(connection);
        return connection;
    }

    // The session's settings, on each connection.
    void setUp(PGconn* connection) const {
        if (PQsetClientEncoding(connection, "UTF8") != 0)
            throw DatabaseError(opening(), libpqReason(connection), SQLITE_IOERR, shown_);
        // The busy timeout is how long a statement waits for another workstation's row lock.
        // 0 would mean no limit on the server: a session that must not wait waits a millisecond.
        execute(connection,
                "set lock_timeout = " + std::to_string(std::max<std::int64_t>(1, options_.busyTimeout.count())));
        execute(connection, "set client_min_messages = warning");
        // sysdate is the workstation's local time, as on a store in a file.
        // A zone the server does not know leaves the server's own.
        if (const auto zone = localTimeZone(); !zone.empty() && zone.find('\'') == std::string::npos)
            Result(PQexec(connection, ("set time zone '" + zone + "'").c_str()));
        if (options_.readOnly) execute(connection, "set default_transaction_read_only = on");
    }

    std::string opening() const { return "połączenie z serwerem bazy danych " + shown_; }

    // The failed connection's refusal: a server that answers refused the login (a
    // user, a password or a database it does not know); else it does not answer.
    DatabaseError refused(PGconn* failed) const {
        const auto ping = parameters(kPingTimeout);
        const bool answers = PQconnectionNeedsPassword(failed) != 0 || PQconnectionUsedPassword(failed) != 0 ||
                             PQpingParams(ping.keywords, ping.values, 1) == PQPING_OK;
        return DatabaseError(opening(), libpqReason(failed), answers ? SQLITE_AUTH : SQLITE_CANTOPEN, shown_);
    }

    // Outlives the connection, which names the server by it.
    std::string shown_;
    std::string text_;  // libpq's connection text
    ConnectionOptions options_;
    PgConnectionHandle connection_;
    bool open_ = false;  // a transaction the layer began and has not ended
    std::set<std::string> serverFunctions_;
};

}  // namespace

std::unique_ptr<Connection> openPostgres(const std::string& connection, const std::string& shown,
                                         const ConnectionOptions& options) {
    return std::make_unique<PostgresConnection>(connection, shown, options);
}

namespace {

std::optional<std::vector<std::pair<std::string, std::string>>> parseConnection(const std::string& connection) {
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(connection.c_str(), &error), &PQconninfoFree);
    // libpq's reason quotes the part it could not read, which may be the password: it is not kept.
    PQfreemem(error);
    if (!options) return std::nullopt;
    std::vector<std::pair<std::string, std::string>> values;
    for (const PQconninfoOption* each = options.get(); each->keyword != nullptr; ++each)
        if (each->val != nullptr) values.emplace_back(each->keyword, each->val);
    return values;
}

}  // namespace

}  // namespace DBKernel::Backend

extern "C" const DBKernel::Backend::ServerEngine* towaryServerEngine() {
    static const DBKernel::Backend::ServerEngine engine{&DBKernel::Backend::openPostgres,
                                                        &DBKernel::Backend::parseConnection};
    return &engine;
}
