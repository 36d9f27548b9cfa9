#include "Core/Database/Backend/SqliteConnection.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Dialect/Dialect.h"
#include "Core/tools/FileLock.h"
#include "Core/tools/IgnoringCase.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace DBKernel::Backend {
namespace {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

struct SqliteConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using SqliteConnectionHandle = std::unique_ptr<sqlite3, SqliteConnectionCloser>;

std::string reasonOf(sqlite3* connection) { return sqlite3_errmsg(connection); }

// The engine's last failure on the connection, with the statement that met it.
DatabaseError engineError(const std::string& statement, sqlite3* connection) {
    return DatabaseError(statement, reasonOf(connection), sqlite3_extended_errcode(connection));
}

void execute(sqlite3* connection, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string reason = message != nullptr ? message : reasonOf(connection);
        sqlite3_free(message);
        throw DatabaseError(sql, std::move(reason), sqlite3_extended_errcode(connection));
    }
}

void bindValue(sqlite3_stmt* statement, int index, const Value& value) {
    switch (value.index()) {
        case 1: sqlite3_bind_int64(statement, index, std::get<std::int64_t>(value)); break;
        case 2: sqlite3_bind_double(statement, index, std::get<double>(value)); break;
        case 3: {
            const auto& text = std::get<std::string>(value);
            sqlite3_bind_text64(statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        default: sqlite3_bind_null(statement, index);
    }
}

void setResult(sqlite3_context* context, const Value& value) {
    switch (value.index()) {
        case 1: sqlite3_result_int64(context, std::get<std::int64_t>(value)); break;
        case 2: sqlite3_result_double(context, std::get<double>(value)); break;
        case 3: {
            const auto& text = std::get<std::string>(value);
            sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        default: sqlite3_result_null(context);
    }
}

// The value as SQLite holds it: a text stays valid until SQLite moves on or frees the value.
ValueView viewOf(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER: return sqlite3_value_int64(value);
        case SQLITE_FLOAT: return sqlite3_value_double(value);
        case SQLITE_NULL: return {};
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            return std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
        }
    }
}

Value valueOf(sqlite3_value* value) { return toValue(viewOf(value)); }

class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3* connection, const std::string& text) : Statement(text), connection_(connection) {
        const auto translation = Dialect::translate(text);
        lockRows_ = translation.lockRows;
        lockNowait_ = translation.lockNowait;
        for (const auto& sql : translation.statements) prepareEach(sql);
        if (parts_.empty()) throw DatabaseError(text, "polecenie jest puste");
        auto* last = parts_.back().handle.get();
        rows_ = last;
        const int columns = sqlite3_column_count(last);
        for (int i = 0; i < columns; ++i) {
            columnNames_.emplace_back(sqlite3_column_name(last, i));
            const char* declared = sqlite3_column_decltype(last, i);
            columnDeclaredTypes_.emplace_back(declared != nullptr ? declared : "");
        }
    }

    const std::vector<std::string>& parameterNames() const override { return parameterNames_; }

    void bind(std::size_t index, const Value& value) override {
        for (auto& part : parts_)
            for (const auto& [position, parameter] : part.parameters)
                if (parameter == index) bindValue(part.handle.get(), position, value);
    }

    bool start() override {
        rowsChanged_ = 0;
        for (std::size_t i = 0; i + 1 < parts_.size(); ++i) {
            sqlite3_reset(parts_[i].handle.get());
            while (advance(parts_[i])) {
            }
        }
        sqlite3_reset(parts_.back().handle.get());
        return advance(parts_.back());
    }

    bool step() override { return advance(parts_.back()); }

    void reset() override {
        for (auto& part : parts_) sqlite3_reset(part.handle.get());
    }

    Value column(std::size_t index) const override { return toValue(columnView(index)); }

    ValueView columnView(std::size_t index) const override {
        // One lookup of the column instead of one per sqlite3_column_* call; the
        // value is read at once, on the session's only thread.
        return viewOf(sqlite3_column_value(rows_, static_cast<int>(index)));
    }

    bool writes() const override { return writes_; }
    bool compound() const override { return parts_.size() > 1; }
    bool locksRows() const override { return lockRows_; }
    bool locksNowait() const override { return lockNowait_; }
    std::int64_t rowsChanged() const override { return rowsChanged_; }

    std::vector<std::string> engineTexts() const override {
        std::vector<std::string> texts;
        for (const auto& part : parts_) texts.emplace_back(sqlite3_sql(part.handle.get()));
        return texts;
    }

    // SQLite's "explain query plan" of each part, its steps indented under their parents.
    std::string plan() const override {
        std::string plan;
        for (const auto& part : parts_) {
            const std::string explain = std::string("explain query plan ") + sqlite3_sql(part.handle.get());
            sqlite3_stmt* raw = nullptr;
            if (sqlite3_prepare_v2(connection_, explain.c_str(), -1, &raw, nullptr) != SQLITE_OK)
                return plan + "(" + reasonOf(connection_) + ")";
            const StatementHandle explained(raw);
            std::vector<std::pair<int, std::size_t>> depths;  // a step's id and depth
            while (sqlite3_step(raw) == SQLITE_ROW) {
                const int id = sqlite3_column_int(raw, 0);
                const int parent = sqlite3_column_int(raw, 1);
                std::size_t depth = 0;
                for (const auto& [known, at] : depths)
                    if (known == parent) depth = at + 1;
                depths.emplace_back(id, depth);
                if (!plan.empty()) plan += "\n";
                plan += std::string(2 * depth, ' ') + reinterpret_cast<const char*>(sqlite3_column_text(raw, 3));
            }
        }
        return plan;
    }

private:
    struct Part {
        StatementHandle handle;
        bool writes = false;
        std::vector<std::pair<int, std::size_t>> parameters;  // SQLite's position, index in parameterNames_
    };

    void prepareEach(const std::string& sql) {
        const char* rest = sql.c_str();
        const char* end = rest + sql.size();
        while (rest < end) {
            sqlite3_stmt* raw = nullptr;
            const char* tail = nullptr;
            if (sqlite3_prepare_v3(connection_, rest, static_cast<int>(end - rest), SQLITE_PREPARE_PERSISTENT, &raw,
                                   &tail) != SQLITE_OK)
                throw engineError(text(), connection_);
            rest = tail;
            if (raw == nullptr) continue;  // only blanks or comments were left
            addPart(StatementHandle(raw));
        }
    }

    void addPart(StatementHandle handle) {
        Part part{std::move(handle), false, {}};
        part.writes = sqlite3_stmt_readonly(part.handle.get()) == 0;
        writes_ = writes_ || part.writes;
        const int count = sqlite3_bind_parameter_count(part.handle.get());
        for (int position = 1; position <= count; ++position) {
            const char* name = sqlite3_bind_parameter_name(part.handle.get(), position);
            if (name == nullptr || name[0] != ':')
                throw DatabaseError(text(), "parametry polecenia muszą mieć nazwy (:nazwa)");
            part.parameters.emplace_back(position, parameterIndex(name + 1));
        }
        parts_.push_back(std::move(part));
    }

    // Oracle's parameter names ignore case: :sPLU and :splu are one parameter.
    std::size_t parameterIndex(const char* name) {
        for (std::size_t i = 0; i < parameterNames_.size(); ++i)
            if (Core::equalsIgnoringCase(parameterNames_[i], name)) return i;
        parameterNames_.emplace_back(name);
        return parameterNames_.size() - 1;
    }

    bool advance(Part& part) {
        const int result = sqlite3_step(part.handle.get());
        if (result == SQLITE_ROW) return true;
        if (result == SQLITE_DONE) {
            if (part.writes) rowsChanged_ += sqlite3_changes64(connection_);
            return false;
        }
        DatabaseError error = engineError(text(), connection_);
        sqlite3_reset(part.handle.get());
        throw error;
    }

    sqlite3* connection_;
    std::vector<Part> parts_;
    sqlite3_stmt* rows_ = nullptr;  // the last part's, which gives the rows
    std::vector<std::string> parameterNames_;
    bool writes_ = false;
    bool lockRows_ = false;
    bool lockNowait_ = false;
    std::int64_t rowsChanged_ = 0;
};

// A lock file beside the database, locked with flock: the kernel frees it
// when the process ends, and two holders in one process exclude each other too.
class SqliteNamedLock final : public NamedLock {
public:
    explicit SqliteNamedLock(std::unique_ptr<Core::FileLock> file) : file_(std::move(file)) {}
    void check() override {}

private:
    std::unique_ptr<Core::FileLock> file_;
};

std::int64_t pragmaValue(sqlite3* connection, const std::string& pragma) {
    sqlite3_stmt* raw = nullptr;
    const std::string sql = "pragma " + pragma;
    if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) throw engineError(sql, connection);
    const StatementHandle statement(raw);
    if (sqlite3_step(statement.get()) != SQLITE_ROW) throw engineError(sql, connection);
    return sqlite3_column_int64(statement.get(), 0);
}

// The rows of a query of texts, each as its columns' texts; `parameter` is bound to ?1 when it has one.
std::vector<std::vector<std::string>> rowsOf(sqlite3* connection, const std::string& sql,
                                             const std::string& parameter = {}) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) throw engineError(sql, connection);
    const StatementHandle statement(raw);
    if (sqlite3_bind_parameter_count(statement.get()) > 0)
        sqlite3_bind_text(statement.get(), 1, parameter.data(), static_cast<int>(parameter.size()), SQLITE_STATIC);
    std::vector<std::vector<std::string>> rows;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement.get())) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < sqlite3_column_count(statement.get()); ++i)
            row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), i)));
    }
    if (result != SQLITE_DONE) throw engineError(sql, connection);
    return rows;
}

// A bulk write on SQLite. The transaction's pages stay in a page cache sized
// for it: the default 2 MB spilled the growing indexes' pages again and again.
// Into an empty table, the indexes on expressions (the identifier search's,
// each row a call of a dialect function and an insert at a random place) are
// dropped and built once, sorted, at the end, inside the same transaction: a
// writer killed before its commit leaves the store as it was, indexes and all.
class SqliteBulkWrite final : public BulkWrite {
public:
    SqliteBulkWrite(sqlite3* connection, const std::string& table)
        : connection_(connection), cacheSize_(pragmaValue(connection, "cache_size")) {
        execute(connection_, "pragma cache_size = " + std::to_string(-kCacheKiB));
        if (!rowsOf(connection_, "select 1 from \"" + table + "\" limit 1").empty()) return;
        const auto indexes = rowsOf(connection_,
                                    "select name, sql from sqlite_master m where type = 'index' and tbl_name = ?1"
                                    " collate nocase and exists (select 1 from pragma_index_xinfo(m.name) where cid = -2)",
                                    table);
        for (const auto& index : indexes) {
            execute(connection_, "drop index \"" + index[0] + "\"");
            deferred_.push_back(index[1]);
        }
    }

    ~SqliteBulkWrite() override {
        // Only a setting of this connection: a failure here changes no data.
        sqlite3_exec(connection_, ("pragma cache_size = " + std::to_string(cacheSize_)).c_str(), nullptr, nullptr,
                     nullptr);
    }

    void finish() override {
        for (const auto& sql : deferred_) execute(connection_, sql);
        deferred_.clear();
    }

private:
    // An upper bound, not an allocation: the cache grows only with the pages written.
    static constexpr std::int64_t kCacheKiB = 256 * 1024;

    sqlite3* connection_;
    std::int64_t cacheSize_;
    std::vector<std::string> deferred_;  // the statements that make the dropped indexes
};

class SqliteConnection final : public Connection {
public:
    SqliteConnection(const std::filesystem::path& file, const ConnectionOptions& options, bool create)
        : file_(file), busyTimeout_(static_cast<int>(options.busyTimeout.count())) {
        sqlite3* raw = nullptr;
        const Access access = create ? Access::write : accessTo(file, options.readOnly);
        const bool readOnly = access != Access::write;
        const int flags = SQLITE_OPEN_NOMUTEX | (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                          (create ? SQLITE_OPEN_CREATE : 0);
        const int result = access == Access::readImmutable ? openImmutable(file, flags, raw)
                                                           : sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
        connection_.reset(raw);
        if (result != SQLITE_OK)
            throw DatabaseError("otwarcie bazy danych " + file.string(),
                                raw != nullptr ? reasonOf(raw) : sqlite3_errstr(result),
                                raw != nullptr ? sqlite3_extended_errcode(raw) : result);
        sqlite3_extended_result_codes(raw, 1);
        sqlite3_busy_timeout(raw, busyTimeout_);
        // WAL lets readers go on while a session writes; a killed writer leaves
        // only uncommitted frames behind, which the next opener ignores.
        if (!readOnly) execute(raw, "pragma journal_mode = wal");
        // Every commit reaches the disk before it is reported: a power cut loses no saved work.
        execute(raw, "pragma synchronous = full");
        execute(raw, "pragma foreign_keys = on");
        // A statement that fires a trigger or checks a foreign key keeps a journal of the pages
        // it changes; once one of a transaction outgrows memory, every later statement of the
        // transaction writes its pages to a file, which made a bulk insert mostly system calls.
        execute(raw, "pragma temp_store = memory");
        if (options.cacheKiB > 0) execute(raw, "pragma cache_size = " + std::to_string(-options.cacheKiB));
        Dialect::registerFunctions(raw);
    }

    std::unique_ptr<Statement> prepare(const std::string& text) override {
        return std::make_unique<SqliteStatement>(connection_.get(), text);
    }

    void begin(bool wait) override {
        if (wait) {
            execute(connection_.get(), "begin immediate");
            return;
        }
        sqlite3_busy_timeout(connection_.get(), 0);
        try {
            execute(connection_.get(), "begin immediate");
        } catch (...) {
            sqlite3_busy_timeout(connection_.get(), busyTimeout_);
            throw;
        }
        sqlite3_busy_timeout(connection_.get(), busyTimeout_);
    }

    void commit() override { execute(connection_.get(), "commit"); }

    void rollback() override {
        // SQLite has already rolled back after some errors (a full disk, an
        // interrupt); there is nothing left to undo then.
        if (inTransaction()) execute(connection_.get(), "rollback");
    }

    bool inTransaction() const override { return sqlite3_get_autocommit(connection_.get()) == 0; }

    void savepoint(const std::string& name) override { execute(connection_.get(), "savepoint " + name); }
    void release(const std::string& name) override { execute(connection_.get(), "release " + name); }
    void rollbackTo(const std::string& name) override { execute(connection_.get(), "rollback to " + name); }

    void runScript(const std::string& script) override { execute(connection_.get(), script); }

    int schemaVersion() override {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(connection_.get(), "pragma user_version", -1, &raw, nullptr) != SQLITE_OK)
            throw engineError("pragma user_version", connection_.get());
        StatementHandle statement(raw);
        if (sqlite3_step(statement.get()) != SQLITE_ROW)
            throw engineError("pragma user_version", connection_.get());
        return sqlite3_column_int(statement.get(), 0);
    }

    void setSchemaVersion(int version) override {
        execute(connection_.get(), "pragma user_version = " + std::to_string(version));
    }

    std::vector<std::string> tableNames() override {
        static const std::string sql = "select name from sqlite_master where type = 'table'";
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(connection_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
            throw engineError(sql, connection_.get());
        const StatementHandle statement(raw);
        std::vector<std::string> names;
        while (sqlite3_step(raw) == SQLITE_ROW) names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
        return names;
    }

    void defineFunction(const std::string& name, int arity, FunctionBody body) override {
        auto* owned = new FunctionBody(std::move(body));
        const int result = sqlite3_create_function_v2(
            connection_.get(), Dialect::routineName(name).c_str(), arity, SQLITE_UTF8, owned, &call, nullptr, nullptr,
            [](void* data) { delete static_cast<FunctionBody*>(data); });
        if (result != SQLITE_OK) throw engineError("(funkcja " + name + ")", connection_.get());
    }

    std::int64_t nextRef() override {
        static const std::string sql = "update RefGenerator set lastRef = lastRef + 1 returning lastRef";
        if (!nextRef_) {
            sqlite3_stmt* raw = nullptr;
            if (sqlite3_prepare_v3(connection_.get(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) !=
                SQLITE_OK)
                throw engineError(sql, connection_.get());
            nextRef_.reset(raw);
        }
        auto* statement = nextRef_.get();
        const int result = sqlite3_step(statement);
        if (result != SQLITE_ROW) {
            // Read before the reset, which would clear the engine's reason.
            const DatabaseError error = result == SQLITE_DONE ? DatabaseError(sql, "tabela RefGenerator nie ma wiersza")
                                                              : engineError(sql, connection_.get());
            sqlite3_reset(statement);
            throw error;
        }
        const std::int64_t ref = sqlite3_column_int64(statement, 0);
        sqlite3_reset(statement);
        return ref;
    }

    void reserveRefsThrough(std::int64_t ref) override {
        execute(connection_.get(), "update RefGenerator set lastRef = max(lastRef, " + std::to_string(ref) + ")");
    }

    // A store in a file has one workstation: a file beside it carries the lock.
    std::unique_ptr<BulkWrite> bulkWrite(const std::string& table) override {
        if (!inTransaction()) throw std::logic_error("Zapis wielu wierszy do " + table + " poza transakcją");
        return std::make_unique<SqliteBulkWrite>(connection_.get(), table);
    }

    std::unique_ptr<NamedLock> lockName(const std::string& name) override {
        auto file =
            Core::FileLock::tryFor(file_.string() + "-" + name + ".lock", std::chrono::milliseconds(busyTimeout_));
        if (!file) throw DatabaseError("(blokada " + name + ")", "database is locked", SQLITE_BUSY);
        return std::make_unique<SqliteNamedLock>(std::move(file));
    }

private:
    static void call(sqlite3_context* context, int count, sqlite3_value** values) {
        try {
            std::vector<Value> arguments;
            arguments.reserve(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i) arguments.push_back(valueOf(values[i]));
            const auto& body = *static_cast<FunctionBody*>(sqlite3_user_data(context));
            setResult(context, body(arguments));
        } catch (const DatabaseError& e) {
            // The reason alone: the statement that called the function reports it with its own text.
            sqlite3_result_error(context, e.reason().c_str(), -1);
            if (e.code() != 0) sqlite3_result_error_code(context, e.code());
        } catch (const std::exception& e) {
            sqlite3_result_error(context, e.what(), -1);
        }
    }

    // A store this process may not write can still be read. WAL readers share
    // an index file (-shm) beside the database; in a directory that cannot
    // hold one the file is read as immutable, which needs none.
    enum class Access { write, readShared, readImmutable };

    static Access accessTo(const std::filesystem::path& file, bool readOnly) {
        const auto directory = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
        const bool directoryWritable = ::access(directory.c_str(), W_OK) == 0;
        if (!readOnly && directoryWritable && ::access(file.c_str(), W_OK) == 0) return Access::write;
        if (directoryWritable || ::access((file.string() + "-shm").c_str(), R_OK) == 0) return Access::readShared;
        return Access::readImmutable;
    }

    // An immutable reader sees the database file alone: the last changes of a
    // writer that did not close the store are still in the -wal file beside
    // it, and reading without them would show an old store as the current one.
    static int openImmutable(const std::filesystem::path& file, int flags, sqlite3*& raw) {
        std::error_code error;
        const auto wal = std::filesystem::path(file.string() + "-wal");
        const auto walSize = std::filesystem::file_size(wal, error);
        if (!error && walSize > 0)
            throw std::runtime_error(
                "Nie można odczytać bazy danych sklepu " + file.string() + ": jej ostatnie zmiany są jeszcze w pliku " +
                wal.string() + " (program, który ostatnio ją zmieniał, nie zamknął jej), a odczytać je można tylko z "
                "prawem zapisu do katalogu " + file.parent_path().string() +
                ". Uruchom dowolne polecenie towary na tym sklepie raz z prawem zapisu do katalogu.");
        std::string uri = "file:";
        for (const unsigned char c : file.string()) {
            if (std::isalnum(c) != 0 || c == '/' || c == '.' || c == '_' || c == '-') {
                uri += static_cast<char>(c);
            } else {
                static const char* const kHex = "0123456789ABCDEF";
                uri += {'%', kHex[c >> 4], kHex[c & 15]};
            }
        }
        return sqlite3_open_v2((uri + "?immutable=1").c_str(), &raw, flags | SQLITE_OPEN_URI, nullptr);
    }

    SqliteConnectionHandle connection_;
    StatementHandle nextRef_;  // finalized before the connection closes
    std::filesystem::path file_;
    int busyTimeout_;
};

}  // namespace

std::unique_ptr<Connection> openSqlite(const std::filesystem::path& file, const ConnectionOptions& options,
                                       bool create) {
    return std::make_unique<SqliteConnection>(file, options, create);
}

}  // namespace DBKernel::Backend
