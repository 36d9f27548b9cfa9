#pragma once
// ProductTools::getPluByIdentifier: an identifier a user typed, read as a code
// of the store when it is all digits. Text with anything but digits is no
// code and gives nothing; digits that the store's PLU rules refuse give
// nothing or the rules' error, as the caller asks.

#include "Core/Export.h"
#include "Core/Plu/Plu.h"

#include <optional>
#include <string>

namespace ProductTools {

namespace ErrorHandling {
enum PluSearchErrorHandling {
    ReturnEmptyOnError = 0,
    ThrowOnError = 1,
};
}  // namespace ErrorHandling

// Throws Plu::EInvalidPlu with ThrowOnError. A PLU configuration that cannot
// be read fails in both modes.
TOWARY_EXPORT std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                                          ErrorHandling::PluSearchErrorHandling handling);

}  // namespace ProductTools
