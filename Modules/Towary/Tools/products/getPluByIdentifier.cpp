#include "Modules/Towary/Tools/products/getPluByIdentifier.h"

#include "Core/tools/Digits.h"

#include <exception>

namespace ProductTools {

std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                            ErrorHandling::PluSearchErrorHandling handling) {
    if (!Core::allDigits(identifier))
        return std::nullopt;
    try {
        return getPluByIdentifier(identifier, handling, Plu::pluConfig());
    } catch (const std::exception&) {
        if (handling == ErrorHandling::ThrowOnError) throw;
        return std::nullopt;
    }
}

std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                            ErrorHandling::PluSearchErrorHandling handling,
                                            const std::shared_ptr<const Plu::TPluConfig>& config) {
    if (!Core::allDigits(identifier))
        return std::nullopt;
    try {
        return Plu::TPlu(identifier, config);
    } catch (const std::exception&) {
        if (handling == ErrorHandling::ThrowOnError) throw;
        return std::nullopt;
    }
}

}  // namespace ProductTools
