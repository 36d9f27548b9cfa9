#pragma once
// Core::Setup::CachedKey: the key at a fixed path of the host's current
// setup-key store, for code that reads one setting at every call of a
// function called thousands of times (a price list priced product by
// product). The key is made once per store the host registers, not at every
// call, and keeps the last value it read; each lookup still sees the file as
// it is now. Not shared between threads: hold one per thread (thread_local).

#include "Core/Setup/Key.h"

#include <optional>
#include <string>
#include <vector>

namespace Core::Setup {

class CachedKey {
public:
    explicit CachedKey(std::vector<std::string> path) : path_(std::move(path)) {}

    // The key in the store of the CSetup registered now.
    const Orvel::TKey& key();

private:
    std::vector<std::string> path_;
    std::optional<Orvel::TKey> key_;
};

}  // namespace Core::Setup
