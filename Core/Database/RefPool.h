#pragma once
// DBKernel::RefPool: the host's source of new row ids (lTowarRef, lPluRef...).
// Ids come from the store's id generator kept in the database, so they stay
// unique across sessions, processes and restarts. An id is taken inside the
// transaction of the session that takes it: rolled back, it may be handed
// out again, as nothing that used it was kept. The store keeps the pool past
// every id a product or code row carries, however the row came, and refuses
// to go past kLastRef: a full pool fails with a message saying so.

#include "Core/Database/TSessionHolder.h"
#include "Core/tools/Numbers.h"

#include <cstdint>
#include <limits>
#include <string>

namespace DBKernel {

// The greatest id: the module reads ids as int. Ids run from 1 to it.
inline constexpr std::int64_t kLastRef = std::numeric_limits<int>::max();

// "identyfikatory mają wartości od 1 do 2147483647", as refusals of an id name the range.
inline std::string idRangeText() { return Core::rangeText("identyfikatory", 1, kLastRef); }

class RefPool {
public:
    static RefPool& instance();

    // A new id, taken on the session of this process that holds a transaction
    // on the current store, or else on the main session.
    std::int64_t getRef();
    // A new id taken on the given session.
    std::int64_t getRef(const TSessionHolder& session);
    // Rows brought in with their own ids (an import): every id up to ref
    // counts as taken, so later ids never collide with them. Like getRef, it
    // belongs to the session's transaction.
    void reserveThrough(std::int64_t ref, const TSessionHolder& session);

private:
    RefPool() = default;
};

// RefPool::instance().getRef().
std::int64_t GetRef();

}  // namespace DBKernel

using DBKernel::GetRef;
