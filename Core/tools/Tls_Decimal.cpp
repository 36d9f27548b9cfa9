#include "Core/tools/Tls_Decimal.h"

#include "Core/tools/Round.h"

#include <stdexcept>
#include <string>

Core::Decimal decimalFromDouble(double value, int precision, bool unsupported) {
    if (unsupported)
        throw std::logic_error(std::string("Function ") + "decimalFromDouble" +
                               " is not implemented and should not have been used.");
    // A negative precision scales by 1, as the repeated multiplication gives: whole numbers.
    const int digits = precision < 0 ? 0 : precision;
    return Core::Decimal(Core::roundToUnits(value, digits), Core::unitsPerOne(digits));
}
