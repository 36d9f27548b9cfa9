#pragma once
// AutomaticDiscounts::Kind: the host's kinds of price reductions (discounts).

namespace AutomaticDiscounts {

enum Kind {
    SelectedPieces = 1,  // discounts on pieces the clerk selects
    Automatic = 2,       // discounts the till grants by itself
};

}  // namespace AutomaticDiscounts
