#include "Modules/Towary/Tools/prices/Tolerance.h"

namespace {

constexpr double kTolerance = 0.00001;

}  // namespace

bool EQZERO(double x) { return -kTolerance < x && x < kTolerance; }

bool GTZERO(double x) { return x > kTolerance; }

bool LTZERO(double x) { return x < -kTolerance; }

bool LEZERO(double x) { return x < kTolerance; }
