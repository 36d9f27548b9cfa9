#include "Modules/Towary/Tools/products/getPluByIdentifier.h"

#include <algorithm>

namespace ProductTools {

std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                            ErrorHandling::PluSearchErrorHandling handling) {
    if (!std::all_of(identifier.begin(), identifier.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto config = Plu::pluConfig();
    try {
        return Plu::TPlu(identifier, config);
    } catch (const Plu::EInvalidPlu&) {
        if (handling == ErrorHandling::ThrowOnError) throw;
        return std::nullopt;
    }
}

}  // namespace ProductTools
