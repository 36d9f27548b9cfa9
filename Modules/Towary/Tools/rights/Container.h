#pragma once
// GroupRights::Container: one owner's rights over product groups, by group
// index. A group without an entry takes the rights of its nearest ancestor
// that has one (the longest key that begins its index); a container without
// any entry grants everything. It remembers which entries were loaded from the
// store and which of those were erased, so that OutputStream writes back only
// what changed. A container is loaded, edited and saved once.

#include "Core/Export.h"
#include "Modules/Towary/Tools/rights/Rights.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace GroupRights {

class InputStream;

class TOWARY_EXPORT Container {
public:
    struct InternalRights {
        Rights current;
        Rights loaded;
        bool created = true;  // made in memory (true) rather than loaded from the store (false)
    };
    using Entries = std::map<std::string, InternalRights>;

    // Sets the rights of a group, creating its entry when it has none.
    void setRights(const std::string& index, const Rights& rights);
    // The rights that hold in a group: everything when the container is empty,
    // else its own entry's, else its nearest ancestor's with an entry, else none.
    Rights getRights(const std::string& index) const;
    // Removes the entry of a group; one loaded from the store is remembered
    // as erased. An index without an entry changes nothing.
    void erase(const std::string& index);
    // True exactly when the container has no entry.
    bool allRightsGranted() const { return entries_.empty(); }

    Entries::const_iterator begin() const { return entries_.begin(); }
    Entries::const_iterator end() const { return entries_.end(); }
    // The group indexes with entries, sorted.
    const std::vector<std::string>& sortedIndexes() const { return sorted_; }
    // The indexes of loaded entries that were erased.
    const std::set<std::string>& erased() const { return erased_; }

private:
    friend class InputStream;

    Entries entries_;
    std::set<std::string> erased_;
    std::vector<std::string> sorted_;
};

}  // namespace GroupRights
