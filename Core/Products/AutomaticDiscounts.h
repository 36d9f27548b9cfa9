#pragma once
// AutomaticDiscounts::Kind: the host's kinds of price reductions (discounts).

namespace AutomaticDiscounts {

// A fixed type, so that any number a host passes is a value the checkers can refuse.
enum Kind : int {
    SelectedPieces = 1,  // discounts on pieces the clerk selects
    Automatic = 2,       // discounts the till grants by itself
};

}  // namespace AutomaticDiscounts
