#include "Modules/Towary/Tools/prices/SalePriceRounders.h"

#include "Core/tools/Round.h"

#include <boost/math/special_functions/trunc.hpp>

namespace Product::Tools {

ISalePriceRounder::~ISalePriceRounder() = default;

SalePriceToPsychologicalValuesRounder::SalePriceToPsychologicalValuesRounder(double threshold)
    : threshold_(threshold) {}

double SalePriceToPsychologicalValuesRounder::roundPrice(double price) const {
    return price > threshold_ ? rounding(price) : price;
}

double SalePriceToPsychologicalValuesRounder::rounding(double price) const {
    const int grosze = boost::math::itrunc(Core::roundAwayFromZeroI(price * 100, 0));
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
