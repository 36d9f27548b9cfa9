#pragma once
// Number arguments of the towary commands as a clerk writes them: a CLI11
// validator that refuses, as bad usage with the reason, anything but a plain
// decimal number of the kind asked for, and the number of a text it accepted.

#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace Towary::Host {

// The number of decimal places of a text written as digits, a minus in front
// allowed, a point and more digits after them allowed; none for any other
// text. A plain scan: an argument may be as long as the shell lets it be.
inline std::optional<std::size_t> decimalPlaces(std::string_view text) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || !Core::allDigits(whole)) return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || !Core::allDigits(fraction))) return std::nullopt;
    return fraction.size();
}

// A number as the reasons write it: "100", "0.5".
template <class T>
std::string numberText(T number) {
    std::ostringstream text;
    text << number;
    return text.str();
}

// Digits, a point before the decimals, at most `places` of them (any number
// when not limited), a minus only where `negative` allows, and within the
// range of T, or from `range.first` to `range.second` when given. `what`
// names the argument in the reason.
template <class T>
CLI::Validator numberArgument(const std::string& what, std::optional<int> places, bool negative,
                              std::optional<std::pair<T, T>> range = std::nullopt) {
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            const std::string quoted = what + " \"" + text + "\"";
            const auto decimals = decimalPlaces(text);
            if (!decimals)
                return quoted + (places == 0 ? " nie jest liczbą całkowitą."
                                             : " nie jest liczbą; część ułamkową oddziela się kropką, np. 12.50.");
            if (!negative && text.front() == '-') return quoted + ": liczba nie może być ujemna.";
            if (places && *decimals > static_cast<std::size_t>(*places))
                return quoted + (*places == 0 ? " nie jest liczbą całkowitą."
                                              : " ma więcej miejsc po kropce niż " + std::to_string(*places) + ".");
            if (!Core::parseNumber<T>(text)) return quoted + ": liczba jest za duża.";
            // Prices and margins past ten whole digits are typing mistakes the grosz arithmetic cannot hold.
            if constexpr (std::is_floating_point_v<T>) {
                const auto whole = text.find('.') == std::string::npos ? text.size() : text.find('.');
                if (whole - (text.front() == '-' ? 1 : 0) > 10) return quoted + ": liczba jest za duża.";
            }
            if (const auto number = *Core::parseNumber<T>(text);
                range && (number < range->first || number > range->second))
                return quoted + ": dozwolone wartości od " + numberText(range->first) + " do " +
                       numberText(range->second) + ".";
            return {};
        },
        "", what);
}

// The number of an argument its validator accepted.
template <class T>
T numberOf(const std::string& text) {
    return *Core::parseNumber<T>(text);
}

// The numbers of arguments their validator accepted, each once, in their
// first order ("7 07 7" is one number): ids a clerk repeated name one row.
template <class T>
std::vector<T> distinctNumbers(const std::vector<std::string>& texts) {
    std::vector<T> numbers;
    for (const auto& text : texts)
        if (const T number = numberOf<T>(text); std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(number);
    return numbers;
}

}  // namespace Towary::Host
