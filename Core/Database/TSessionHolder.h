#pragma once
// TSessionHolder: a copyable handle on one database session, passed by
// value; copies share the session. A default-made holder stands for the
// process's main session on the current store. TransactionGuard: an atomic
// write; it commits when told to and rolls back when it is left early.

#include "Core/Database/Session.h"

#include <memory>
#include <string>

namespace DBKernel {

class TSessionHolder {
public:
    // The main session of the current store, opened when first used.
    TSessionHolder() = default;
    explicit TSessionHolder(std::shared_ptr<Session> session) : session_(std::move(session)) {}
    // A new session of its own on the current store.
    static TSessionHolder open(const SessionOptions& options = {});

    void StartTransaction() { session().startTransaction(); }
    void Commit() { session().commit(); }
    void Rollback() { session().rollback(); }
    bool InTransaction() const { return session().inTransaction(); }

    Session& session() const { return *shared(); }
    const std::shared_ptr<Session>& shared() const;

private:
    mutable std::shared_ptr<Session> session_;
};

// Starts a transaction when made and rolls it back when destroyed before
// commit(). Made while the session is already in a transaction, it marks a
// savepoint instead: commit() keeps its writes for the enclosing transaction
// to commit, and leaving it early undoes just its own writes.
class TransactionGuard {
public:
    explicit TransactionGuard(TSessionHolder session);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void commit();

private:
    TSessionHolder session_;
    bool owner_;
    std::string savepoint_;  // set when nested in an open transaction
    bool done_ = false;
};

}  // namespace DBKernel

using DBKernel::TSessionHolder;
