#pragma once
// Core::Entity::EntityCollection: the entities a window or a document holds,
// with those removed from it kept aside, so that saving the collection can
// delete them from the store.

#include "Core/Export.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace Core::Entity {

// The failures of remove(), thrown as std::logic_error: the caller's mistake, not the user's.
[[noreturn]] TOWARY_EXPORT void throwAlreadyRemoved();
[[noreturn]] TOWARY_EXPORT void throwNotInCollection();

template <class T>
class EntityCollection {
public:
    using Ptr = std::shared_ptr<T>;

    void add(Ptr entity) { items_.push_back(std::move(entity)); }

    // Moves the entity among the removed ones. Removing it again throws
    // "Trying to remove an already removed element."; an entity the
    // collection never held is refused too.
    void remove(const Ptr& entity) {
        const auto found = std::find(items_.begin(), items_.end(), entity);
        if (found == items_.end()) {
            if (std::find(removed_.begin(), removed_.end(), entity) != removed_.end()) throwAlreadyRemoved();
            throwNotInCollection();
        }
        removed_.push_back(entity);
        items_.erase(found);
    }

    const std::vector<Ptr>& items() const { return items_; }
    const std::vector<Ptr>& removed() const { return removed_; }
    std::size_t size() const { return items_.size(); }
    const Ptr& at(std::size_t index) const { return items_.at(index); }

private:
    std::vector<Ptr> items_;
    std::vector<Ptr> removed_;
};

}  // namespace Core::Entity
