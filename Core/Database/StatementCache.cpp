#include "Core/Database/StatementCache.h"

namespace DBKernel {

std::unique_ptr<Backend::Statement> StatementCache::take(const std::string& text) {
    const auto found = byText_.find(text);
    if (found == byText_.end()) return nullptr;
    const auto entry = found->second;
    byText_.erase(found);
    auto statement = std::move(*entry);
    entries_.erase(entry);
    return statement;
}

void StatementCache::put(std::unique_ptr<Backend::Statement> statement) {
    statement->reset();
    entries_.push_front(std::move(statement));
    byText_.emplace(entries_.front()->text(), entries_.begin());
    if (entries_.size() > capacity_) forget(std::prev(entries_.end()));
}

void StatementCache::clear() {
    byText_.clear();
    entries_.clear();
}

void StatementCache::forget(Entries::iterator entry) {
    auto [first, last] = byText_.equal_range((*entry)->text());
    for (auto it = first; it != last; ++it)
        if (it->second == entry) {
            byText_.erase(it);
            break;
        }
    entries_.erase(entry);
}

}  // namespace DBKernel
