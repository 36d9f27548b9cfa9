#pragma once
// Texts of decimal digits, as indexes and codes are kept: zero-padded numbers
// of a fixed width. Core/tools/Numbers.h reads them.

#include <algorithm>
#include <string>
#include <string_view>

namespace Core {

// Whether every character is a decimal digit (true for the empty text).
inline bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The text right-aligned in a field of `width` characters, filled on the left
// with `fill`; a longer text is kept whole.
inline std::string padLeft(const std::string& text, std::size_t width, char fill = '0') {
    return text.size() >= width ? text : std::string(width - text.size(), fill) + text;
}

}  // namespace Core
