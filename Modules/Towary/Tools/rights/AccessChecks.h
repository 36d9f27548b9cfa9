#pragma once
// The checks the host's forms make on a user's group rights: whether a group
// lies in the part of the hierarchy the user was given at all, and whether he
// may see or edit every product of a list.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/rights/Container.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace GroupRights {

// True for an empty container; otherwise true exactly when the group itself
// or one of its ancestors has an entry, whatever that entry grants.
TOWARY_EXPORT bool isAccessGranted(const Container& container, const std::string& index);

// Whether every product may be browsed (right 1) or modified (right 4) in its
// group; a multi-price grouping product (type 9) counts in its parent group.
// Stops at the first product that fails; an empty list passes. Throws as
// Towar::previousIndexLength for a grouping product with a malformed index.
TOWARY_EXPORT bool canShowAllProducts(boost::shared_ptr<TTowarCollection> products, const Container& container);
TOWARY_EXPORT bool canEditAllProducts(boost::shared_ptr<TTowarCollection> products, const Container& container);

}  // namespace GroupRights
