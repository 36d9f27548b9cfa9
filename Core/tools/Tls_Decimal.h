#pragma once
// Exact decimal amounts: a rational number over 64-bit integers, kept
// normalised by Boost (numerator and denominator without a common divisor).

#include <boost/rational.hpp>

#include <cstdint>

namespace Core {

using Decimal = boost::rational<std::int64_t>;

}  // namespace Core

// The value rounded to `precision` decimal places, halves away from zero as
// written (Core/tools/Round.h), as an exact decimal: 1.005 at 2 places is
// 101/100, 2.5 at 0 places is 3. `unsupported` is the old form that the code
// must not use: true throws std::logic_error. A value that is not finite, or
// that does not fit 64 bits once scaled, throws as Core::roundToUnits does.
Core::Decimal decimalFromDouble(double value, int precision, bool unsupported);
