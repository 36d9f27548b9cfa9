#pragma once
// ProductTools::getPluByIdentifier: an identifier a user typed, read as a code
// of the store when it is all digits. Text with anything but digits is no
// code and gives nothing; digits that the store's PLU rules refuse give
// nothing or the rules' error, as the caller asks.

#include "Core/Export.h"
#include "Core/Plu/Plu.h"

#include <memory>
#include <optional>
#include <string>

namespace ProductTools {

namespace ErrorHandling {
enum PluSearchErrorHandling {
    ReturnEmptyOnError = 0,
    ThrowOnError = 1,
};
}  // namespace ErrorHandling

// With ThrowOnError, what building the code throws passes on: Plu::EInvalidPlu
// for digits the rules refuse, the settings' error for a configuration that
// cannot be read. With ReturnEmptyOnError either gives nothing.
TOWARY_EXPORT std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                                          ErrorHandling::PluSearchErrorHandling handling);

// The same under a configuration the caller has read already (a search that
// also completes the identifier with the masks reads the settings once).
TOWARY_EXPORT std::optional<Plu::TPlu> getPluByIdentifier(const std::string& identifier,
                                                          ErrorHandling::PluSearchErrorHandling handling,
                                                          const std::shared_ptr<const Plu::TPluConfig>& config);

}  // namespace ProductTools
