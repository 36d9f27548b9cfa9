#pragma once
// The two rules by which a store rounds gross sale prices to more attractive
// values. Each rounds only prices strictly above its threshold and returns
// the others unchanged.

#include "Core/Export.h"

namespace Product::Tools {

class TOWARY_EXPORT ISalePriceRounder {
public:
    virtual ~ISalePriceRounder();
    virtual double roundPrice(double price) const = 0;
};

// Psychological values: a price ends in 5 or 9 grosze. 12.31 to 12.35 become
// 12.35, 12.36 to 12.39 become 12.39, and a round 12.30 drops to 12.29, so a
// price never falls by more than 0.01 nor rises by more than 0.04. The grosze
// are counted in an int: a price whose rounding that cannot carry (above
// 21 474 836.45) is refused with std::runtime_error.
class TOWARY_EXPORT SalePriceToPsychologicalValuesRounder : public ISalePriceRounder {
public:
    explicit SalePriceToPsychologicalValuesRounder(double threshold);
    double roundPrice(double price) const override;
    // The rounding itself, whatever the threshold.
    double rounding(double price) const;

private:
    double threshold_;
};

// Zero on the last position: a price rounded to ten grosze, halves away from
// zero (12.34 becomes 12.30, 12.35 becomes 12.40).
class TOWARY_EXPORT SalePriceToZeroOnLastPositionRounder : public ISalePriceRounder {
public:
    explicit SalePriceToZeroOnLastPositionRounder(double threshold);
    double roundPrice(double price) const override;
    // The rounding itself, whatever the threshold.
    double rounding(double price) const;

private:
    double threshold_;
};

}  // namespace Product::Tools
