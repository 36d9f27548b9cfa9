#pragma once
// The host's rounding functions. Every one rounds halves away from zero, and
// judges a half by the decimal the value stands for: the scaled value is first
// moved one unit in the last place away from zero, so 1.005 (held in a double
// as 1.00499999...) rounds to 1.01 as written, and 15.375 to 15.38.

#include <cstdint>

namespace Core {

// x rounded to a whole number as above; a zero result is +0, whatever the
// sign of x. Throws std::domain_error for an infinite or NaN x.
double roundHalfAwayFromZero(double x);

// The value rounded to that many decimal places (0 for a whole number).
double roundAwayFromZeroI(double value, int digits);

// 10 to the power of digits (1 for digits of 0 or less), as a 64-bit integer.
constexpr std::int64_t unitsPerOne(int digits) {
    std::int64_t scale = 1;
    for (int i = 0; i < digits; ++i) scale *= 10;
    return scale;
}

// The value counted in units of its `digits`-th decimal place, rounded as
// above: 1234 for (12.344, 2). Throws boost::math::rounding_error (a
// std::runtime_error) when the count does not fit a 64-bit integer.
std::int64_t roundToUnits(double value, int digits);

}  // namespace Core

// The value rounded to the nearest multiple of the step (0.0001, 0.01, 0.05 ...).
double Round(double value, double step);

// A money amount rounded to the grosz (Core::Price::iPrecision places).
double RoundMoney(double value);
