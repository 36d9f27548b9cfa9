#include "Core/Database/Value.h"

#include "Core/tools/Numbers.h"

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

double parseDouble(std::string_view text) {
    const auto number = Core::parseNumber<double>(Core::trimBlanks(text));
    if (!number) notANumber(std::string(text));
    return *number;
}

std::int64_t rounded(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) notANumber(toString(ValueView(value)));
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

ValueView viewOf(const Value& value) {
    switch (value.index()) {
        case 1: return std::get<std::int64_t>(value);
        case 2: return std::get<double>(value);
        case 3: return std::string_view(std::get<std::string>(value));
        default: return {};
    }
}

Value toValue(ValueView view) {
    switch (view.index()) {
        case 1: return std::get<std::int64_t>(view);
        case 2: return std::get<double>(view);
        case 3: return std::string(std::get<std::string_view>(view));
        default: return {};
    }
}

std::int64_t toInt64(ValueView value) {
    switch (value.index()) {
        case 1: return std::get<std::int64_t>(value);
        case 2: return rounded(std::get<double>(value));
        case 3: {
            const auto text = std::get<std::string_view>(value);
            if (auto whole = Core::parseNumber<std::int64_t>(Core::trimBlanks(text))) return *whole;
            return rounded(parseDouble(text));
        }
        default: return 0;
    }
}

double toDouble(ValueView value) {
    switch (value.index()) {
        case 1: return static_cast<double>(std::get<std::int64_t>(value));
        case 2: return std::get<double>(value);
        case 3: return parseDouble(std::get<std::string_view>(value));
        default: return 0.0;
    }
}

std::string toString(ValueView value) {
    switch (value.index()) {
        case 1: return std::to_string(std::get<std::int64_t>(value));
        case 2: {
            std::array<char, 32> buffer{};
            const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::get<double>(value));
            return std::string(buffer.data(), result.ptr);
        }
        case 3: return std::string(std::get<std::string_view>(value));
        default: return {};
    }
}

std::string toString(Value value) {
    if (auto* text = std::get_if<std::string>(&value)) return std::move(*text);
    return toString(viewOf(value));
}

}  // namespace DBKernel
