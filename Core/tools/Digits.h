#pragma once
// Texts of decimal digits, as indexes and codes are kept: zero-padded numbers
// of a fixed width. Core/tools/Numbers.h reads them.

#include <string>

namespace Core {

// The text right-aligned in a field of `width` characters, filled on the left
// with `fill`; a longer text is kept whole.
inline std::string padLeft(const std::string& text, std::size_t width, char fill = '0') {
    return text.size() >= width ? text : std::string(width - text.size(), fill) + text;
}

}  // namespace Core
