#include "Core/Setup/CachedKey.h"

#include "Core/Setup/Setup.h"

namespace Core::Setup {

const Orvel::TKey& CachedKey::key() {
    // The key held keeps its store alive, so a store registered after it is never taken for it.
    const Orvel::TKey root = SingletonImplHolder::get<CSetup>().GetRootKey();
    if (!key_ || !key_->sameStore(root)) key_.emplace(root.GetSubKey(path_));
    return *key_;
}

}  // namespace Core::Setup
