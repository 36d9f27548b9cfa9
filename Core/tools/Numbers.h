#pragma once
// Reading a number written in a text: the one rule for settings, fields and
// SQL values. The whole text must be the number; blanks around it are allowed
// only where the caller trims them first.

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace Core {

// The text without the blanks (spaces and tabs) at its ends.
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// How a refusal names the range of a number: "WHAT mają wartości od FIRST do LAST".
inline std::string rangeText(std::string_view what, long long first, long long last) {
    return std::string(what) + " mają wartości od " + std::to_string(first) + " do " + std::to_string(last);
}

// The number of type T the whole text writes; none for any other text, for a
// number out of T's range, and for an infinite or NaN double.
template <class T>
std::optional<T> parseNumber(std::string_view text) {
    T number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(number)) return std::nullopt;
    return number;
}

}  // namespace Core
