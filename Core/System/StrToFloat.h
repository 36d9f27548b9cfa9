#pragma once
// The host runtime's number conversion: StrToFloat reads a number with the
// process-wide DecimalSeparator as its decimal point (a full stop at start),
// as the forms' fields are read.

#include "Core/Export.h"

#include <string>

namespace Sysutils {

// The process-wide decimal separator that StrToFloat reads; change it for a
// while with a Core::TTemporaryChangeDecimalSeparator.
TOWARY_EXPORT char& DecimalSeparator();

// The text, blanks around it allowed, as a number written with
// DecimalSeparator() as its decimal point; any other text fails with
// Sysutils::Exception "„TEXT” nie jest poprawną liczbą.".
TOWARY_EXPORT double StrToFloat(const std::string& text);

}  // namespace Sysutils
