#include "Core/tools/Utf8.h"

#include <unicode/utf8.h>

namespace Core::Utf8 {

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (int32_t at = 0, size = static_cast<int32_t>(text.size()); at < size; ++count) U8_FWD_1(text.data(), at, size);
    return count;
}

std::string rightAligned(std::string_view text, std::size_t width, char fill) {
    std::size_t count = length(text);
    if (count <= width) return std::string(width - count, fill) + std::string(text);
    int32_t at = 0;
    for (const auto size = static_cast<int32_t>(text.size()); count > width; --count) U8_FWD_1(text.data(), at, size);
    return std::string(text.substr(static_cast<std::size_t>(at)));
}

}  // namespace Core::Utf8
