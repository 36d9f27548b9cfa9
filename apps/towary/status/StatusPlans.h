#pragma once
// towary status: the status-change planning window at the terminal, opened
// by its GUID. plan, list and delete are its single steps on the command
// line; window is the whole window, one action a line. The window keeps the
// rules of planning.

#include <iosfwd>
#include <string>

namespace Towary::Host::StatusPlans {

// Plans the status for the product ("/INDEX" or an id) from the day
// ("YYYY-MM-DD"); a change the product has on that day gets the status.
// Returns what was planned, for the clerk.
std::string plan(const std::string& product, int status, const std::string& day);
// The planned changes in the window's columns, tab-separated after the row
// id: those still to come (not applied, dated today or later), or all.
void list(bool all, std::ostream& out);
// Deletes the planned change; refuses an id no change has.
void remove(int id);

// The window's text form: its grid, then the actions read a line each from
// `in` (the help lists them) until "wyjście" or the end of the input. The
// window's questions go to the host's dialogs. At a terminal a refused action
// is reported on `err` and the clerk goes on; in a script it ends the
// command, nothing saved that the script did not save before.
void window(std::istream& in, std::ostream& out, std::ostream& err, bool interactive);

}  // namespace Towary::Host::StatusPlans
