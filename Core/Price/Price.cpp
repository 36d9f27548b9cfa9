#include "Core/Price/Price.h"

#include "Core/tools/Round.h"

#include <boost/format.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <ostream>
#include <stdexcept>
#include <string>

namespace Core {
namespace {

// 10^18 units: every amount below it, and the double nearest it, fit 64 bits.
constexpr std::int64_t kUnitsLimit = 1000000000000000000;

// The amount as it was written: the shortest text that reads back as the same double.
std::string asWritten(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

}  // namespace

template <int Precision>
FixedDecimal<Precision>::FixedDecimal(double value) {
    if (!(std::fabs(value) * static_cast<double>(unitsPerOne(Precision)) < static_cast<double>(kUnitsLimit))) {
        const auto largest = fromUnits(kUnitsLimit - 1).toString();
        throw std::range_error((boost::format("Kwota %1% jest poza zakresem: kwoty mają wartości od -%2% do %2%.") %
                                asWritten(value) % largest)
                                   .str());
    }
    units_ = roundToUnits(value, Precision);
}

template <int Precision>
FixedDecimal<Precision> FixedDecimal<Precision>::fromUnits(std::int64_t units) {
    FixedDecimal amount;
    amount.units_ = units;
    return amount;
}

template <int Precision>
double FixedDecimal<Precision>::toDouble() const {
    return static_cast<double>(units_) / static_cast<double>(unitsPerOne(Precision));
}

template <int Precision>
std::string FixedDecimal<Precision>::toString() const {
    constexpr auto scale = static_cast<std::uint64_t>(unitsPerOne(Precision));
    const auto magnitude = static_cast<std::uint64_t>(std::llabs(units_));
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(Precision) - fraction.size(), '0');
    return (units_ < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

template <int Precision>
std::ostream& operator<<(std::ostream& out, const FixedDecimal<Precision>& amount) {
    auto text = amount.toString();
    // The stream's locale chooses the decimal point: "12,34" in a Polish one,
    // "12.34" in the classic locale streams start with.
    text[text.size() - Precision - 1] = std::use_facet<std::numpunct<char>>(out.getloc()).decimal_point();
    return out << text;
}

template class FixedDecimal<2>;
template class FixedDecimal<3>;
template class FixedDecimal<4>;
template std::ostream& operator<<(std::ostream&, const FixedDecimal<2>&);
template std::ostream& operator<<(std::ostream&, const FixedDecimal<3>&);
template std::ostream& operator<<(std::ostream&, const FixedDecimal<4>&);

}  // namespace Core
