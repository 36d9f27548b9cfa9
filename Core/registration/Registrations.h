#pragma once
// The module registration list: every registration a module made at attach,
// each token with the source of the call that produced it.

#include "Core/SrcInfo.h"
#include "Core/Token.h"

#include <vector>

namespace Core {

struct RegistrationEntry {
    Token token;
    SrcInfo source;
};

class Registrations {
public:
    Registrations() = default;
    Registrations(const Registrations&) = delete;
    Registrations& operator=(const Registrations&) = delete;
    ~Registrations() { clear(); }

    void add(Token token, SrcInfo source) { entries_.push_back({std::move(token), std::move(source)}); }
    // Withdraws every registration, the newest first.
    void clear() {
        while (!entries_.empty()) entries_.pop_back();
    }
    const std::vector<RegistrationEntry>& entries() const { return entries_; }

private:
    std::vector<RegistrationEntry> entries_;
};

}  // namespace Core
