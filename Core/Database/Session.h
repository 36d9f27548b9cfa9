#pragma once
// One session on the store database: its connection, its transaction, its
// cache of prepared statements and the row loops open on it. Code reaches a
// session through TSessionHolder; the query classes drive it. A session is
// used by one thread at a time.

#include "Core/Database/Backend/Backend.h"
#include "Core/Database/DatabaseLocation.h"
#include "Core/Database/StatementCache.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace DBKernel {

class Routines;

struct SessionOptions {
    // How long a write waits for another session's write lock before failing.
    std::chrono::milliseconds busyTimeout{5000};
    // The routines the session serves (they must outlive it); the store schema's when null.
    const Routines* routines = nullptr;
    // Opens the store for reading only; a store whose file or directory this
    // process may not write is opened so in any case.
    bool readOnly = false;
    // The page cache of a long-lived session that reads much of the store
    // again and again (the web host's), in KiB; 0 the engine's default.
    std::int64_t cacheKiB = 0;
};

// A row loop that can read the rest of its rows into memory, so that it keeps
// the rows it would have seen when its session writes (Oracle reads a query's
// rows as they were when it was opened).
class Cursor {
public:
    virtual void readRest() = 0;

protected:
    ~Cursor() = default;
};

class Session : public std::enable_shared_from_this<Session> {
public:
    // Opens the store database, upgrading a schema of an older build. Throws
    // when the file (the server's database) is no store database.
    static std::shared_ptr<Session> open(const DatabaseLocation& location, const SessionOptions& options = {});
    // Makes the store's schema in the empty database on a server and opens a
    // session on it, inside a transaction it leaves open: what the caller
    // writes goes with the schema when it commits, or nothing does.
    static std::shared_ptr<Session> create(const DatabaseLocation& location);
    // The process's main session on the current store, opened on first use.
    static std::shared_ptr<Session> main();
    // The session of this process holding a transaction on the store database, if any.
    static std::shared_ptr<Session> inTransactionOn(const DatabaseLocation& location);

    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const DatabaseLocation& location() const { return location_; }
    Backend::Connection& connection() { return *connection_; }
    const Routines& routines() const { return routines_; }

    // A transaction takes the store's write lock at its start. Starting one
    // while one is open is a programming error (std::logic_error).
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return connection_->inTransaction(); }

    // The store's exclusive lock of that name, for an editor that holds a list
    // while a person works on it: held while the returned object lives,
    // outside any transaction (Backend::Connection::lockName).
    std::unique_ptr<Backend::NamedLock> lockName(const std::string& name) { return connection_->lockName(name); }

    // Runs body so that all of its writes happen or none: inside a savepoint
    // when a transaction is open, else in a transaction of its own. `what`
    // (a statement, a procedure) is named when the write lock cannot be had.
    void atomically(const std::string& what, const std::function<void()>& body);

    // A prepared statement of that text, from the cache or newly prepared. A
    // select whose searched values are literals is prepared once per shape
    // (StatementShape.h) and runs with the values bound.
    std::unique_ptr<Backend::Statement> acquire(const std::string& text);
    void giveBack(std::unique_ptr<Backend::Statement> statement);

    // Runs the statement from its start, up to its first row (true) or its
    // end: a locking statement ("for update") takes the write lock first,
    // opening the transaction when none is open, as Oracle does; a write
    // first settles the open row loops but `running`; a compound statement
    // runs atomically.
    bool run(Backend::Statement& statement, const Cursor* running = nullptr);

    void cursorOpened(Cursor& cursor);
    void cursorClosed(Cursor& cursor);

private:
    Session(DatabaseLocation location, std::unique_ptr<Backend::Connection> connection, const Routines& routines);
    void defineStoreFunctions();
    void settleCursors(const Cursor* except);
    // The statement of the text's shape, or null when the text has none or its shape does not translate.
    std::unique_ptr<Backend::Statement> prepareShaped(const std::string& text);
    // Takes the write lock for `what`, opening the transaction.
    void begin(const std::string& what, bool wait);

    DatabaseLocation location_;
    std::unique_ptr<Backend::Connection> connection_;
    const Routines& routines_;
    StatementCache statements_{256};
    std::vector<Cursor*> cursors_;
};

}  // namespace DBKernel
