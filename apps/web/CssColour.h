#pragma once
// The module's colours in a page.

#include <nlohmann/json.hpp>

#include <optional>

namespace Towary::Web {

// A Windows colour (0x00BBGGRR) as CSS "#rrggbb"; null for none and for the
// system's colours (the high byte set), which a page has no match for.
nlohmann::json cssColourOf(std::optional<int> colour);

}  // namespace Towary::Web
