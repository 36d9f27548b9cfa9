#pragma once
// One value as it travels between the store database and the code: NULL, a
// 64-bit integer, a double or a text. ValueReader gives parameters and fields
// their typed readers, with the conversions of the old data-access layer:
// NULL reads as 0 or "", a double read as an integer is rounded to the nearest
// whole number, and a text is read as a number when it holds one.

#include "Core/Price/Price.h"
#include "Core/System/AnsiString.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace DBKernel {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

// A value read where it lies: a text is a view of bytes its owner keeps (a
// Value, an engine's current row), valid as long as the owner says.
using ValueView = std::variant<std::monostate, std::int64_t, double, std::string_view>;

inline bool isNull(const Value& value) { return std::holds_alternative<std::monostate>(value); }

ValueView viewOf(const Value& value);
// A copy that owns its text.
Value toValue(ValueView view);

// Throw std::runtime_error when a text holds no number.
std::int64_t toInt64(ValueView value);
double toDouble(ValueView value);
// Integers in decimal, doubles in their shortest exact form ("12.5", "3").
std::string toString(ValueView value);
inline std::int64_t toInt64(const Value& value) { return toInt64(viewOf(value)); }
inline double toDouble(const Value& value) { return toDouble(viewOf(value)); }
std::string toString(Value value);

// Rethrows a failed conversion with the name of what was read.
[[noreturn]] void rethrowNaming(const std::string& what);

// Typed reading of whatever Derived::view() shows; Derived::describe()
// names the value (a column, a parameter) in error messages.
template <class Derived>
class ValueReader {
public:
    bool isNull() const { return self().view().index() == 0; }
    std::int64_t asInt64() const {
        try {
            const ValueView value = self().view();
            if (const auto* integer = std::get_if<std::int64_t>(&value)) return *integer;
            return toInt64(value);
        } catch (const std::runtime_error&) {
            rethrowNaming(self().describe());
        }
    }
    int asInt() const {
        const std::int64_t value = asInt64();
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            throw std::runtime_error("Wartość " + std::to_string(value) + " nie mieści się w zakresie typu int (" +
                                     self().describe() + ").");
        return static_cast<int>(value);
    }
    double asDouble() const {
        try {
            return toDouble(self().view());
        } catch (const std::runtime_error&) {
            rethrowNaming(self().describe());
        }
    }
    std::string asString() const { return toString(self().view()); }
    System::AnsiString asAnsiString() const { return asString(); }
    Core::Price asPrice() const { return Core::Price(asDouble()); }

private:
    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

}  // namespace DBKernel
