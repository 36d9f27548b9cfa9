#include "Core/Database/TSessionHolder.h"

#include "Core/Debug/Debug.h"
#include "Core/Store/StoreLocation.h"

#include <exception>

namespace DBKernel {

TSessionHolder TSessionHolder::open(const SessionOptions& options) {
    return TSessionHolder(Session::open(DatabaseLocation::current(), options));
}

const std::shared_ptr<Session>& TSessionHolder::shared() const {
    if (!session_) session_ = Session::main();
    return session_;
}

TransactionGuard::TransactionGuard(TSessionHolder session)
    : session_(std::move(session)), owner_(!session_.InTransaction()) {
    if (owner_) {
        session_.StartTransaction();
    } else {
        // Nested guards get distinct names, so each undoes only its own writes.
        static unsigned long next = 0;
        savepoint_ = "guard_" + std::to_string(++next);
        session_.session().connection().savepoint(savepoint_);
    }
}

TransactionGuard::~TransactionGuard() {
    if (done_ || !session_.InTransaction()) return;
    try {
        if (owner_) {
            session_.Rollback();
        } else {
            session_.session().connection().rollbackTo(savepoint_);
            session_.session().connection().release(savepoint_);
        }
    } catch (const std::exception& e) {
        // A destructor must not throw while an exception may be passing.
        Core::Debug::logLine(std::string("Wycofanie transakcji nie powiodło się: ") + e.what(),
                             Core::SrcInfo{"Core/Database/TSessionHolder", __LINE__, "TransactionGuard::~TransactionGuard"});
    }
}

void TransactionGuard::commit() {
    if (owner_)
        session_.Commit();
    else
        session_.session().connection().release(savepoint_);
    done_ = true;
}

}  // namespace DBKernel
