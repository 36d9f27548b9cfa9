#include "Core/tools/Tls_Decimal.h"

#include "Core/tools/Round.h"

#include <stdexcept>
#include <string>

Core::Decimal decimalFromDouble(double value, int precision, bool unsupported) {
    if (unsupported)
        throw std::logic_error(std::string("Function ") + "decimalFromDouble" +
                               " is not implemented and should not have been used.");
    std::int64_t scale = 1;
    for (int i = 0; i < precision; ++i) scale *= 10;
    return Core::Decimal(Core::roundToUnits(value, precision), scale);
}
