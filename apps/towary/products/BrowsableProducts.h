#pragma once
// The products a user may browse: those whose group his rights over product
// groups let him browse (right 1), checked through the group rights condition
// on towar, as the back office's product browsers check them. A user without
// any entry browses everything; an id that is no user's is refused.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/Query.h"
#include "Core/Database/TSessionHolder.h"
#include "Modules/Towary/Tools/rights/Container.h"

#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace Towary::Host::Products {

class BrowsableProducts {
public:
    // Reads the user's rights on the session; throws std::runtime_error for
    // a user the store does not know (requireKnownOwner).
    BrowsableProducts(int userRef, TSessionHolder session);

    // The condition on the column of a group index ("t.sGrIndex") that keeps
    // the rows he may browse, with its leading " and"; "" when he browses
    // everything.
    std::string condition(const std::string& groupIndexColumn) const;
    // Whether the user may browse the product (an id no product has: false
    // unless he browses everything).
    bool mayBrowse(long long productRef);
    // Of the product ids a statement of ours selects (one column, no
    // parameters), those the user may browse: one query however many ids.
    std::unordered_set<long long> browsableAmong(const std::string& idsStatement);
    // The products of the list the user may browse, in the list's order.
    std::vector<TTowarPtr> browsable(std::span<const TTowarPtr> found);
    // As browsable, but
    // throws std::runtime_error naming the identifier and the user when the
    // list had products and none of them is his to browse.
    std::vector<TTowarPtr> filter(std::span<const TTowarPtr> found, const std::string& identifier);

private:
    int userRef_;
    TSessionHolder session_;
    GroupRights::Container rights_;
    std::optional<DBKernel::Sql::PreparedQuery> query_;  // none when the user browses everything
};

}  // namespace Towary::Host::Products
