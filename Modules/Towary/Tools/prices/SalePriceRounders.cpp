#include "Modules/Towary/Tools/prices/SalePriceRounders.h"

#include "Core/tools/Round.h"

#include <boost/format.hpp>
#include <boost/math/special_functions/trunc.hpp>

#include <limits>
#include <stdexcept>

namespace Product::Tools {
namespace {

// The grosze the psychological rounding carries: the highest whose rounded
// value (up to 9 in its last digit) still fits an int, and the lowest whose
// step down by one grosz does.
constexpr double kHighestGrosze = std::numeric_limits<int>::max() / 10 * 10 + 5.0;
constexpr double kLowestGrosze = std::numeric_limits<int>::min() + 1.0;

}  // namespace

ISalePriceRounder::~ISalePriceRounder() = default;

SalePriceToPsychologicalValuesRounder::SalePriceToPsychologicalValuesRounder(double threshold)
    : threshold_(threshold) {}

double SalePriceToPsychologicalValuesRounder::roundPrice(double price) const {
    return price > threshold_ ? rounding(price) : price;
}

double SalePriceToPsychologicalValuesRounder::rounding(double price) const {
    // The rounding counts grosze in an int; a price whose count or rounded count
    // that cannot hold is refused, never wrapped round to another price or sign.
    const double hundredths = Core::roundAwayFromZeroI(price * 100, 0);
    if (!(hundredths >= kLowestGrosze && hundredths <= kHighestGrosze))
        throw std::runtime_error((boost::format("Ceny %1$.2f nie można zaokrąglić do wartości psychologicznej: "
                                                "zaokrąglane są ceny od %2$.2f do %3$.2f.") %
                                  price % (kLowestGrosze / 100.0) % (kHighestGrosze / 100.0))
                                     .str());
    const int grosze = boost::math::itrunc(hundredths);
    const int last = grosze % 10;
    int rounded = grosze - 1;  // a round price (or one below zero) goes down to the 9 below it
    if (last >= 6)
        rounded = grosze - last + 9;
    else if (last >= 1)
        rounded = grosze - last + 5;
    return rounded * 0.01;
}

SalePriceToZeroOnLastPositionRounder::SalePriceToZeroOnLastPositionRounder(double threshold)
    : threshold_(threshold) {}

double SalePriceToZeroOnLastPositionRounder::roundPrice(double price) const {
    return price > threshold_ ? rounding(price) : price;
}

double SalePriceToZeroOnLastPositionRounder::rounding(double price) const { return Core::roundAwayFromZeroI(price, 1); }

}  // namespace Product::Tools
