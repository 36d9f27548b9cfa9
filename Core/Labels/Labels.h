#pragma once
// The label printing's texts. A label's features are written
// "name" = "value", "name" = "value", ...; a value is made safe for that form
// by escapeFeature, which puts a backslash before every backslash, double
// quote and comma, so that readFeatures gives back any value unchanged.

#include "Core/Export.h"
#include "Core/Price/Price.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Labels {

// The price as a label prints it, "12.34"; "" for no price.
TOWARY_EXPORT std::string formatPrice(const std::optional<Core::Price>& price);

// The text with "\" before each "\", "\"" and ",".
TOWARY_EXPORT std::string escapeFeature(const std::string& text);

// The features of a feature text, names and values unescaped, in order; a
// text not in the form above fails with std::runtime_error in Polish.
TOWARY_EXPORT std::vector<std::pair<std::string, std::string>> readFeatures(const std::string& text);

}  // namespace Labels
