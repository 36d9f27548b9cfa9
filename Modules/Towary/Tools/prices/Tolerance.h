#pragma once
// Comparisons of amounts with zero within the module's tolerance of 0.00001,
// for values that come out of floating-point arithmetic. The bounds are
// exclusive: 0.00001 itself is not "about zero".

#include "Core/Export.h"

// -0.00001 < x < 0.00001.
TOWARY_EXPORT bool EQZERO(double x);
// x > 0.00001.
TOWARY_EXPORT bool GTZERO(double x);
// x < -0.00001.
TOWARY_EXPORT bool LTZERO(double x);
// x < 0.00001: below zero or about zero.
TOWARY_EXPORT bool LEZERO(double x);
