#include "Core/tools/Utf8.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace Core::Utf8 {

bool isValid(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t at = 0; at < size;) {
        UChar32 c = 0;
        U8_NEXT(bytes, at, size, c);
        if (c < 0) return false;
    }
    return true;
}

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (int32_t at = 0, size = static_cast<int32_t>(text.size()); at < size; ++count) U8_FWD_1(text.data(), at, size);
    return count;
}

std::string_view substr(std::string_view text, std::size_t first, std::size_t count) {
    const auto size = static_cast<int32_t>(text.size());
    int32_t begin = 0;
    for (; first > 0 && begin < size; --first) U8_FWD_1(text.data(), begin, size);
    int32_t end = begin;
    for (; count > 0 && end < size; --count) U8_FWD_1(text.data(), end, size);
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> result;
    for (int32_t at = 0, size = static_cast<int32_t>(text.size()); at < size;) {
        const int32_t begin = at;
        U8_FWD_1(text.data(), at, size);
        result.push_back(text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(at - begin)));
    }
    return result;
}

std::string rightAligned(std::string_view text, std::size_t width, char fill) {
    std::size_t count = length(text);
    if (count <= width) return std::string(width - count, fill) + std::string(text);
    int32_t at = 0;
    for (const auto size = static_cast<int32_t>(text.size()); count > width; --count) U8_FWD_1(text.data(), at, size);
    return std::string(text.substr(static_cast<std::size_t>(at)));
}

}  // namespace Core::Utf8
