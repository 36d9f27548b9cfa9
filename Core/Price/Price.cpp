#include "Core/Price/Price.h"

#include <cmath>
#include <cstdlib>
#include <ostream>

namespace Core {

Price::Price(double value) : hundredths_(std::llround(value * 100.0)) {}

Price Price::fromHundredths(std::int64_t hundredths) {
    Price price;
    price.hundredths_ = hundredths;
    return price;
}

double Price::toDouble() const { return static_cast<double>(hundredths_) / 100.0; }

std::string Price::toString() const {
    const auto magnitude = static_cast<std::uint64_t>(std::llabs(hundredths_));
    std::string cents = std::to_string(magnitude % 100);
    if (cents.size() < 2) cents.insert(0, "0");
    return (hundredths_ < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." + cents;
}

std::ostream& operator<<(std::ostream& out, const Price& price) { return out << price.toString(); }

}  // namespace Core
