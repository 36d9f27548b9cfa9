#include "Core/Database/RefPool.h"

#include "Core/Store/StoreLocation.h"

namespace DBKernel {

RefPool& RefPool::instance() {
    static RefPool pool;
    return pool;
}

std::int64_t RefPool::getRef() {
    // A second session of this process could not write while this one holds the lock.
    if (auto holder = Session::inTransactionOn(DatabaseLocation::current())) return getRef(TSessionHolder(holder));
    return getRef(TSessionHolder());
}

std::int64_t RefPool::getRef(const TSessionHolder& session) { return session.session().connection().nextRef(); }

void RefPool::reserveThrough(std::int64_t ref, const TSessionHolder& session) {
    session.session().connection().reserveRefsThrough(ref);
}

std::int64_t GetRef() { return RefPool::instance().getRef(); }

}  // namespace DBKernel
