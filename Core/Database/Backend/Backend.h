#pragma once
// The one seam between the store database layer and a database engine.
// Everything above it (sessions, queries, routines, migrations) speaks to a
// Backend::Connection only; an engine implements these two interfaces.
// Statements arrive in the module's dialect (Oracle's); the engine translates
// them. Failures are DBKernel::DatabaseError naming the statement.

#include "Core/Database/Value.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace DBKernel::Backend {

// One prepared statement; the engine may run it as several of its own (a
// merge), which the caller then runs atomically. Not copyable; used by one
// query at a time.
class Statement {
public:
    virtual ~Statement() = default;

    const std::string& text() const { return text_; }
    // The named parameters the statement uses (without the colon), each once.
    virtual const std::vector<std::string>& parameterNames() const = 0;
    // Binds parameterNames()[index] for the next run.
    virtual void bind(std::size_t index, const Value& value) = 0;

    // Runs the statement from its start up to its first row (true) or to its end.
    virtual bool start() = 0;
    // Moves to the next row (true) or to the end.
    virtual bool step() = 0;
    // Ends the current run, keeping the bindings.
    virtual void reset() = 0;

    const std::vector<std::string>& columnNames() const { return columnNames_; }
    // The type each result column has in its table's definition (INTEGER,
    // REAL, TEXT, in any case), empty for a column that is an expression.
    const std::vector<std::string>& columnDeclaredTypes() const { return columnDeclaredTypes_; }
    virtual Value column(std::size_t index) const = 0;
    // The column of the current row without a copy of its text, valid until
    // the next start, step or reset, or the next view of the same column.
    // An engine whose rows keep their values overrides this; the default
    // keeps a copy.
    virtual ValueView columnView(std::size_t index) const;

    virtual bool writes() const = 0;
    // More than one engine statement: the caller makes the run atomic.
    virtual bool compound() const = 0;
    // The statement locks the rows it reads (Oracle's "for update"), without
    // waiting for another session's lock when locksNowait ("for update nowait").
    virtual bool locksRows() const = 0;
    virtual bool locksNowait() const = 0;
    // Rows inserted, updated or deleted by the last run.
    virtual std::int64_t rowsChanged() const = 0;
    // The statements the engine runs for this one, in its own language (the SQL trace).
    virtual std::vector<std::string> engineTexts() const = 0;
    // How the engine means to run them, one step a line (the SQL trace).
    virtual std::string plan() const = 0;

protected:
    explicit Statement(std::string text) : text_(std::move(text)) {}
    std::vector<std::string> columnNames_;  // set by the engine when it prepares
    std::vector<std::string> columnDeclaredTypes_;

private:
    std::string text_;
    mutable std::vector<Value> viewed_;  // the default columnView's copies
};

inline ValueView Statement::columnView(std::size_t index) const {
    if (viewed_.size() <= index) viewed_.resize(columnNames_.size());
    viewed_.at(index) = column(index);
    return viewOf(viewed_[index]);
}

// An exclusive lock of one name on the store, held while the object lives.
class NamedLock {
public:
    virtual ~NamedLock() = default;
    // Throws DatabaseError when the lock is no longer held (the server ended
    // its connection and may have given it to another), so that nothing is
    // written under a lock that another may hold.
    virtual void check() = 0;
};

// A function callable inside statements by name.
using FunctionBody = std::function<Value(std::span<const Value> arguments)>;

// A large write into a table inside the open transaction (an import, the
// generator): the engine sets itself up for it while the object lives. What it
// sets aside for the write goes back in finish(), which the writer calls
// before it commits; a transaction rolled back puts it back by itself.
class BulkWrite {
public:
    virtual ~BulkWrite() = default;
    virtual void finish() {}
};

struct ConnectionOptions {
    // How long a statement waits for another session's write lock.
    std::chrono::milliseconds busyTimeout{5000};
    // Reads only: every write fails with the engine's read-only error.
    bool readOnly = false;
    // The pages a file store's connection keeps in memory, in KiB; 0 the engine's default.
    std::int64_t cacheKiB = 0;
};

// One open connection to a store database: one session's link to it.
class Connection {
public:
    virtual ~Connection() = default;

    virtual std::unique_ptr<Statement> prepare(const std::string& text) = 0;

    // Transactions take the write lock at their start: waiting up to the busy
    // timeout, or failing at once when wait is false.
    virtual void begin(bool wait) = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;
    // Nested atomic parts inside a transaction.
    virtual void savepoint(const std::string& name) = 0;
    virtual void release(const std::string& name) = 0;
    virtual void rollbackTo(const std::string& name) = 0;

    // Runs a script in the engine's own language (the schema's migrations),
    // untranslated.
    virtual void runScript(const std::string& script) = 0;
    // The number of the last schema migration applied to the database.
    virtual int schemaVersion() = 0;
    virtual void setSchemaVersion(int version) = 0;
    // The names of the database's tables, as the engine spells them.
    virtual std::vector<std::string> tableNames() = 0;

    // Makes a routine callable in statements by its name, which may be
    // qualified by a package ("Generators.getWolnyNumerWKanale"). An engine
    // whose server runs the store's routines itself only checks that it has
    // one of that name.
    virtual void defineFunction(const std::string& name, int arity, FunctionBody body) = 0;

    // The next id of the store's id generator, unique across sessions,
    // processes and restarts; taken inside the current transaction, if any.
    virtual std::int64_t nextRef() = 0;
    // Counts every id up to ref as handed out (rows that came with their own
    // ids), so that nextRef() gives greater ones; a generator already past
    // ref is left alone.
    virtual void reserveRefsThrough(std::int64_t ref) = 0;

    // Sets the engine up for a large write into `table` in the open
    // transaction; an engine with nothing to gain gives a BulkWrite that does nothing.
    virtual std::unique_ptr<BulkWrite> bulkWrite(const std::string& table) {
        static_cast<void>(table);
        return std::make_unique<BulkWrite>();
    }

    // Takes the store's exclusive lock of that name (a letter, digit or '_'
    // word) for as long as the returned object lives, outside any
    // transaction: it keeps no write lock, and commits and rollbacks leave it.
    // Another holder, in this process or another, is waited for up to the
    // busy timeout, then the call fails as busy (SQLITE_BUSY). The engine frees
    // the lock when its holder's process ends, a killed one too.
    virtual std::unique_ptr<NamedLock> lockName(const std::string& name) = 0;
};

}  // namespace DBKernel::Backend
