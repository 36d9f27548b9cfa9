#include "Core/Database/Value.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace DBKernel {
namespace {

[[noreturn]] void notANumber(const std::string& text) {
    throw std::runtime_error("Wartość \"" + text + "\" nie jest liczbą");
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

double parseDouble(const std::string& text) {
    const auto digits = trimmed(text);
    double result = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) notANumber(text);
    return result;
}

std::int64_t rounded(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) notANumber(toString(value));
    return std::llround(value);
}

}  // namespace

void rethrowNaming(const std::string& what) {
    try {
        throw;
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(e.what()) + " (" + what + ").");
    }
}

std::int64_t toInt64(const Value& value) {
    switch (value.index()) {
        case 1: return std::get<std::int64_t>(value);
        case 2: return rounded(std::get<double>(value));
        case 3: {
            const auto& text = std::get<std::string>(value);
            const auto digits = trimmed(text);
            std::int64_t result = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
            if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size()) return result;
            return rounded(parseDouble(text));
        }
        default: return 0;
    }
}

double toDouble(const Value& value) {
    switch (value.index()) {
        case 1: return static_cast<double>(std::get<std::int64_t>(value));
        case 2: return std::get<double>(value);
        case 3: return parseDouble(std::get<std::string>(value));
        default: return 0.0;
    }
}

std::string toString(Value value) {
    switch (value.index()) {
        case 1: return std::to_string(std::get<std::int64_t>(value));
        case 2: {
            std::array<char, 32> buffer{};
            const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::get<double>(value));
            return std::string(buffer.data(), result.ptr);
        }
        case 3: return std::get<std::string>(std::move(value));
        default: return {};
    }
}

}  // namespace DBKernel
