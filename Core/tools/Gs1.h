#pragma once
// GS1 check digits (EAN-13, EAN-8, UPC-A, GTIN-14): the last digit of a code,
// computed from the digits before it by the modulo-10 rule with weights 3 and
// 1 alternating from the rightmost digit (weight 3) leftwards.

#include <string_view>

namespace Core::Gs1 {

// The check digit ('0'..'9') of the digits that precede it. Throws
// std::invalid_argument when the text is empty or holds anything but digits.
char checkDigit(std::string_view digits);

// Whether the code (digits only, at least two of them) ends with the check
// digit of the digits before it.
bool hasValidCheckDigit(std::string_view code);

}  // namespace Core::Gs1
