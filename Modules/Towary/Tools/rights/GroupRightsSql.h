#pragma once
// GroupRights::Sql: WHERE fragments for queries on table towar that must
// respect a user's group rights, computed from his Container. Only right 1
// (browse the group) counts: a granted entry is a key whose right 1 is
// granted, a denied entry one whose right 1 is not. Each writer keeps
// references to its container and group index, which must outlive it, and
// writes its fragment with toStream (or <<). The column prefix is the alias
// and "." ("" for no alias). Keys and group indexes must be digits, as the
// store keeps them (std::invalid_argument otherwise), so that the fragments
// stay well formed.

#include "Core/Export.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/rights/Container.h"

#include <ostream>
#include <string>

namespace GroupRights::Sql {

// 0: the fragment begins with " and"; any other value: no leading conjunction.
enum WithConjuction : int { wcAnd = 0, wcNone = 1 };

// The child groups of groupIndex (one level down) through which an entry of
// the container is reached: " (bycode <> 6 ... sgrindex in ('...'))", or a
// condition that matches no row when there is none; nothing for an empty container.
class TOWARY_EXPORT VisibleGroups {
public:
    VisibleGroups(const Container& container, const std::string& groupIndex, const std::string& alias,
                  WithConjuction conjunction);
    void toStream(std::ostream& out) const;

private:
    const Container& container_;
    const std::string& groupIndex_;
    std::string prefix_;
    WithConjuction conjunction_;
};

TOWARY_EXPORT std::ostream& operator<<(std::ostream& out, const VisibleGroups& groups);

// " and (sgrindex like 'K%' or ...)" over the granted subtrees, then
// " and sgrindex not in (...)" for the denied groups' own indexes;
// " and 1=0" when nothing is granted; nothing for an empty container.
class TOWARY_EXPORT AvailGroups {
public:
    AvailGroups(const Container& container, const std::string& alias);
    void toStream(std::ostream& out) const;

private:
    const Container& container_;
    std::string prefix_;
};

// The rows AvailGroups leaves out, as an "and exists (select 1 from dual ...)"
// clause; " and 1=0" when nothing is granted; nothing for an empty container.
class TOWARY_EXPORT NotAvailGroups {
public:
    NotAvailGroups(const Container& container, const std::string& alias);
    void toStream(std::ostream& out) const;

private:
    const Container& container_;
    std::string prefix_;
};

// The rows shown inside group groupIndex: its sub-groups of the given level
// and its own products; VisibleGroups instead when the user may not browse
// the group itself.
class TOWARY_EXPORT GroupItems {
public:
    GroupItems(const Container& container, const std::string& groupIndex, Towar::Hierarchy hierarchy,
               const std::string& alias, WithConjuction conjunction);
    void toStream(std::ostream& out) const;

private:
    const Container& container_;
    const std::string& groupIndex_;
    Towar::Hierarchy hierarchy_;
    std::string alias_;
    WithConjuction conjunction_;
};

// A whole condition on the column (written as given, e.g. "t.sgrindex"): the
// granted subtrees less every denied subtree; true for every row when the
// container is empty.
TOWARY_EXPORT std::string getGroupRightsWhereCondition(const Container& container, const std::string& column);

// Throws std::invalid_argument "Indeks grupy towarów \"X\" może zawierać tylko
// cyfry." for a group index that is not all digits.
TOWARY_EXPORT void requireDigitIndex(const std::string& index);

}  // namespace GroupRights::Sql
