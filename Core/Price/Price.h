#pragma once
// Core::Price: an amount of money with two decimal places, held exactly as a
// whole number of hundredths. Built from a double by rounding to the nearest
// hundredth (halves away from zero); written to a stream as "12.34".

#include <compare>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace Core {

class Price {
public:
    Price() = default;
    Price(double value);  // implicit: prices are written as plain numbers, as the old code does
    static Price fromHundredths(std::int64_t hundredths);

    std::int64_t hundredths() const { return hundredths_; }
    double toDouble() const;
    // "12.34", "-0.50": always two decimals, a point as the separator.
    std::string toString() const;

    friend auto operator<=>(const Price&, const Price&) = default;
    friend Price operator+(Price a, Price b) { return fromHundredths(a.hundredths_ + b.hundredths_); }
    friend Price operator-(Price a, Price b) { return fromHundredths(a.hundredths_ - b.hundredths_); }

private:
    std::int64_t hundredths_ = 0;
};

std::ostream& operator<<(std::ostream& out, const Price& price);

}  // namespace Core
