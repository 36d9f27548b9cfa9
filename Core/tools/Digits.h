#pragma once
// Texts of decimal digits, as indexes and codes are kept: zero-padded numbers
// of a fixed width.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Core {

// The text right-aligned in a field of `width` characters, filled on the left
// with `fill`; a longer text is kept whole.
inline std::string padLeft(const std::string& text, std::size_t width, char fill = '0') {
    return text.size() >= width ? text : std::string(width - text.size(), fill) + text;
}

// The value of a text made of decimal digits only ("007" is 7); nothing when
// the text is empty, holds anything else, or does not fit 64 bits.
inline std::optional<std::uint64_t> digitsValue(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace Core
