#include "Core/tools/Round.h"

#include "Core/Price/Price.h"

#include <boost/math/special_functions/next.hpp>
#include <boost/math/special_functions/trunc.hpp>

#include <cmath>

namespace Core {
namespace {

// From 2^52 up every double is a whole number, and the nudge would move it.
constexpr double kWholeFrom = 4503599627370496.0;

double roundScaled(double value, double perUnit) { return roundHalfAwayFromZero(value * perUnit) / perUnit; }

}  // namespace

double roundHalfAwayFromZero(double x) {
    const double magnitude = std::fabs(x);
    if (magnitude >= kWholeFrom && std::isfinite(x)) return x;
    // float_next refuses infinities and NaN with std::domain_error.
    const double rounded = std::trunc(boost::math::float_next(magnitude) + 0.5);
    // A small negative value rounds to zero, not to a minus zero that prints as "-0.00".
    return rounded == 0 ? 0.0 : std::copysign(rounded, x);
}

double roundAwayFromZeroI(double value, int digits) { return roundScaled(value, std::pow(10.0, digits)); }

std::int64_t roundToUnits(double value, int digits) {
    return boost::math::lltrunc(roundHalfAwayFromZero(value * std::pow(10.0, digits)));
}

}  // namespace Core

double Round(double value, double step) {
    // Scaling by 1/step rather than dividing by the step keeps decimal steps
    // exact: 1/0.01 is exactly 100 as a double, and n / 100 is the double
    // nearest to n hundredths.
    return Core::roundScaled(value, 1.0 / step);
}

double RoundMoney(double value) { return Core::roundAwayFromZeroI(value, Core::Price::iPrecision); }
