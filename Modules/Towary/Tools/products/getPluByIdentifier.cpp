#include "Modules/Towary/Tools/products/getPluByIdentifier.h"

#include <algorithm>
#include <exception>

namespace ProductTools {

std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                            ErrorHandling::PluSearchErrorHandling handling) {
    if (!std::all_of(identifier.begin(), identifier.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    try {
        return Plu::TPlu(identifier, Plu::pluConfig());
    } catch (const std::exception&) {
        if (handling == ErrorHandling::ThrowOnError) throw;
        return std::nullopt;
    }
}

}  // namespace ProductTools
