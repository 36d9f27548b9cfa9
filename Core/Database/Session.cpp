#include "Core/Database/Session.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Routines.h"
#include "Core/Database/SqlTrace.h"
#include "Core/Database/StatementShape.h"
#include "Core/Database/StoreDatabase.h"
#include "Core/Database/TSessionHolder.h"

#include <algorithm>
#include <stdexcept>

namespace DBKernel {
namespace {

// The session of this process that holds the store's write lock, if any: at
// most one can. A plain pointer, so that no destruction order matters.
Session* transactionHolder = nullptr;

}  // namespace

std::shared_ptr<Session> Session::open(const DatabaseLocation& location, const SessionOptions& options) {
    std::shared_ptr<Session> session(new Session(
        location, StoreDatabase::open(location, Backend::ConnectionOptions{options.busyTimeout, options.readOnly, options.cacheKiB}),
        options.routines != nullptr ? *options.routines : Routines::store()));
    // A server gets this build's routines by the upgrade; check them after it.
    StoreDatabase::upgrade(session->connection(), location);
    session->defineStoreFunctions();
    return session;
}

std::shared_ptr<Session> Session::create(const DatabaseLocation& location) {
    auto connection = StoreDatabase::open(location, Backend::ConnectionOptions{});
    connection->begin(true);
    StoreDatabase::createIn(*connection, location);
    std::shared_ptr<Session> session(new Session(location, std::move(connection), Routines::store()));
    transactionHolder = session.get();
    session->defineStoreFunctions();
    return session;
}

std::shared_ptr<Session> Session::main() {
    static std::shared_ptr<Session> session;
    const auto& location = DatabaseLocation::current();
    if (!session || session->location() != location) session = open(location);
    return session;
}

std::shared_ptr<Session> Session::inTransactionOn(const DatabaseLocation& location) {
    if (transactionHolder == nullptr || transactionHolder->location() != location ||
        !transactionHolder->inTransaction())
        return nullptr;
    return transactionHolder->shared_from_this();
}

Session::Session(DatabaseLocation location, std::unique_ptr<Backend::Connection> connection,
                 const Routines& routines)
    : location_(std::move(location)), connection_(std::move(connection)), routines_(routines) {}

Session::~Session() {
    if (transactionHolder == this) transactionHolder = nullptr;
    // Statements go before their connection; closing it rolls back an open transaction.
    statements_.clear();
}

void Session::defineStoreFunctions() {
    for (const auto& function : routines_.functions()) {
        const StoreFunction* body = &function.body;
        connection_->defineFunction(function.name, function.arity, [this, body](std::span<const Value> arguments) {
            TSessionHolder session(shared_from_this());
            return (*body)(session, arguments);
        });
    }
}

void Session::startTransaction() {
    if (inTransaction()) throw std::logic_error("Sesja bazy danych ma już otwartą transakcję.");
    // An open row loop holds the read it started; a transaction begun under
    // it could neither see nor follow what other sessions committed since.
    settleCursors(nullptr);
    connection_->begin(true);
    transactionHolder = this;
}

void Session::begin(const std::string& what, bool wait) {
    settleCursors(nullptr);
    try {
        connection_->begin(wait);
    } catch (const DatabaseError& e) {
        throw e.naming(what);
    }
    transactionHolder = this;
}

void Session::commit() {
    connection_->commit();
    if (transactionHolder == this) transactionHolder = nullptr;
}

void Session::rollback() {
    settleCursors(nullptr);
    if (transactionHolder == this) transactionHolder = nullptr;
    connection_->rollback();
}

void Session::atomically(const std::string& what, const std::function<void()>& body) {
    if (inTransaction()) {
        static const std::string savepoint = "atomic_part";
        connection_->savepoint(savepoint);
        try {
            body();
        } catch (...) {
            connection_->rollbackTo(savepoint);
            connection_->release(savepoint);
            throw;
        }
        connection_->release(savepoint);
        return;
    }
    begin(what, true);
    try {
        body();
    } catch (...) {
        rollback();
        throw;
    }
    commit();
}

std::unique_ptr<Backend::Statement> Session::acquire(const std::string& text) {
    auto statement = prepareShaped(text);
    if (!statement) {
        statement = statements_.take(text);
        if (!statement) statement = connection_->prepare(text);
    }
    return SqlTrace::on() ? SqlTrace::traced(std::move(statement)) : std::move(statement);
}

std::unique_ptr<Backend::Statement> Session::prepareShaped(const std::string& text) {
    auto shape = StatementShape::of(text);
    if (shape.literals.empty()) return nullptr;
    auto statement = statements_.take(shape.text);
    if (!statement) {
        try {
            statement = connection_->prepare(shape.text);
        } catch (const std::exception&) {
            // The text's own statement then, which fails, if it does, with the text in its message.
            return nullptr;
        }
    }
    return std::make_unique<ShapedStatement>(std::move(statement), text, std::move(shape.literals));
}

void Session::giveBack(std::unique_ptr<Backend::Statement> statement) {
    statements_.put(ShapedStatement::unshaped(SqlTrace::untraced(std::move(statement))));
}

bool Session::run(Backend::Statement& statement, const Cursor* running) {
    // SQLite locks the database, not rows: a locking statement takes the write
    // lock, held to the end of the transaction that taking it opens, as
    // Oracle's row locks are.
    // On a server the transaction opens at once and the lock comes with the rows: a lock
    // refused there leaves no transaction behind, as on SQLite, whose refusal is the begin's.
    const bool opens = statement.locksRows() && !inTransaction();
    if (opens) begin(statement.text(), !statement.locksNowait());
    try {
        if (statement.writes()) settleCursors(running);
        if (!statement.compound()) return statement.start();
        bool row = false;
        atomically(statement.text(), [&] { row = statement.start(); });
        return row;
    } catch (...) {
        if (opens) connection_->rollback();
        throw;
    }
}

void Session::cursorOpened(Cursor& cursor) { cursors_.push_back(&cursor); }

void Session::cursorClosed(Cursor& cursor) { std::erase(cursors_, &cursor); }

void Session::settleCursors(const Cursor* except) {
    const auto open = cursors_;  // reading a cursor's rest closes it
    for (auto* cursor : open)
        if (cursor != except) cursor->readRest();
}

}  // namespace DBKernel
