#pragma once
// The host's purchase contracts as the discount mediator meets them: a
// contract (TKontrakt) with its discounts in percent, and getCenaKoncowa, the
// final price they give for a catalogue price. The store keeps no contract
// tables; a host that has them fills TKontrakt from its own.

#include <vector>

namespace Core {

struct TKontrakt {
    std::vector<double> discounts;  // in percent, in the order the contract grants them
};

// The catalogue price less the contract's discounts, unrounded: with
// cumulative true each discount is taken off the price the ones before it
// left, otherwise their sum is taken off the catalogue price (and a sum of
// 100 % or more gives 0).
double getCenaKoncowa(double catalogPrice, const TKontrakt& contract, bool cumulative);

}  // namespace Core
