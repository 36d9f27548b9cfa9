#pragma once
// Product::Tools::isValidIdentifierChar: the characters a user may type into
// the product identifier field: letters of the Polish locale, decimal digits,
// and "%", "*" and "/". A blank, a hyphen or an apostrophe is refused.
// The field's text is UTF-8: a Polish letter such as "ż" is one code point but
// two bytes, so the field judges code points; the char form judges a single
// byte and accepts only ASCII characters, a byte of a longer letter being no
// character of its own.

#include "Core/Export.h"

namespace Product::Tools {

TOWARY_EXPORT bool isValidIdentifierChar(char32_t codePoint);
TOWARY_EXPORT bool isValidIdentifierChar(char c);

}  // namespace Product::Tools
