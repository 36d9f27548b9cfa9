#pragma once
// The tour `towary demo` gives of a new sample store: one step per area of
// the module, run in order, each printing what it did.

#include <iosfwd>
#include <vector>

namespace Towary::Host::Demo {

struct Step {
    const char* title;
    void (*run)(std::ostream& out);
};

// The steps in the order the demo runs them.
const std::vector<Step>& steps();

// Each area's step, defined in its own file of this folder.
void frame(std::ostream& out);
void settings(std::ostream& out);
void database(std::ostream& out);
void hierarchy(std::ostream& out);
void prices(std::ostream& out);
void products(std::ostream& out);
void plu(std::ostream& out);
void identifier(std::ostream& out);
void specialPrices(std::ostream& out);
void rights(std::ostream& out);
void scalesAndStatuses(std::ostream& out);
void multiprice(std::ostream& out);
void editionRules(std::ostream& out);
void quantities(std::ostream& out);
void promotions(std::ostream& out);
void labelsAndRegisters(std::ostream& out);
void returnReasons(std::ostream& out);
void vatChanges(std::ostream& out);

}  // namespace Towary::Host::Demo
