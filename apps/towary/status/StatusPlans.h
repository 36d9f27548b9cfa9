#pragma once
// towary status: planned changes of products' activity statuses (table
// StatusChange) under the rules of the planning window: a day before today
// is refused, a status must be on the store's list, one change per product
// and day (planning the day again replaces the status), a change the evening
// run applied is never reopened.

#include "Core/Database/TSessionHolder.h"

#include <iosfwd>
#include <string>

namespace Towary::Host::StatusPlans {

// Plans the status for the product from the day ("YYYY-MM-DD"); returns what
// was planned, for the clerk.
std::string plan(const std::string& product, int status, const std::string& day, TSessionHolder session);
// The planned changes in the window's columns, tab-separated after the row
// id: those still to come (not applied, dated today or later), or all.
void list(bool all, std::ostream& out, TSessionHolder session);
// Deletes the planned change; refuses an id no change has.
void remove(int id, TSessionHolder session);

}  // namespace Towary::Host::StatusPlans
