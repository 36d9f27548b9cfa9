#pragma once
// The prepared statements of one session that no query is using, kept by
// their text for the next query of the same text. The least recently used
// ones are dropped beyond the capacity, so that statements with values
// written in as literals do not pile up.

#include "Core/Database/Backend/Backend.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace DBKernel {

class StatementCache {
public:
    explicit StatementCache(std::size_t capacity) : capacity_(capacity) {}

    // A kept statement of that text, or nullptr when none is free.
    std::unique_ptr<Backend::Statement> take(const std::string& text);
    // Keeps a statement that its query no longer uses.
    void put(std::unique_ptr<Backend::Statement> statement);
    void clear();

private:
    using Entries = std::list<std::unique_ptr<Backend::Statement>>;
    void forget(Entries::iterator entry);

    std::size_t capacity_;
    Entries entries_;  // most recently used first
    std::unordered_multimap<std::string_view, Entries::iterator> byText_;  // views of the statements' own texts
};

}  // namespace DBKernel
