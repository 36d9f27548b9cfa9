#include "apps/web/CssColour.h"

#include <cstdio>

namespace Towary::Web {

nlohmann::json cssColourOf(std::optional<int> colour) {
    if (!colour || *colour < 0 || *colour > 0xFFFFFF) return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", *colour & 0xFF, (*colour >> 8) & 0xFF, (*colour >> 16) & 0xFF);
    return text;
}

}  // namespace Towary::Web
