#pragma once
// The host's exact amounts: money and quantities held as a whole number of
// units of their last decimal place. Core::Price is a sale price (2 places),
// Core::PurchasePrice a purchase price (4), Core::Quantity a quantity (3).
// Built from a double by rounding to the last place, halves away from zero
// (Core/tools/Round.h); written to a stream with all their places, "12.34".
// An amount holds less than 10^18 units of its last place: a greater,
// infinite or NaN double is refused with std::range_error, in Polish.

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace Core {

template <int Precision>
class FixedDecimal {
    static_assert(Precision > 0);

public:
    static constexpr int iPrecision = Precision;

    FixedDecimal() = default;
    FixedDecimal(double value);  // implicit: amounts are written as plain numbers, as the old code does
    static FixedDecimal fromUnits(std::int64_t units);

    // The amount in units of its last place: 1234 for the price 12.34.
    std::int64_t units() const { return units_; }
    double toDouble() const;
    // "12.34", "-0.5000": always iPrecision decimals, a point as the separator.
    std::string toString() const;

    friend auto operator<=>(const FixedDecimal&, const FixedDecimal&) = default;
    friend FixedDecimal operator+(FixedDecimal a, FixedDecimal b) { return fromUnits(a.units_ + b.units_); }
    friend FixedDecimal operator-(FixedDecimal a, FixedDecimal b) { return fromUnits(a.units_ - b.units_); }

private:
    std::int64_t units_ = 0;
};

template <int Precision>
std::ostream& operator<<(std::ostream& out, const FixedDecimal<Precision>& amount);

using Price = FixedDecimal<2>;
using Quantity = FixedDecimal<3>;
using PurchasePrice = FixedDecimal<4>;

extern template class FixedDecimal<2>;
extern template class FixedDecimal<3>;
extern template class FixedDecimal<4>;

}  // namespace Core
