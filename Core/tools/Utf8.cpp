#include "Core/tools/Utf8.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>

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

std::optional<char32_t> firstControlCharacter(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t at = 0; at < size;) {
        UChar32 c = 0;
        U8_NEXT(bytes, at, size, c);
        if (c >= 0 && u_charType(c) == U_CONTROL_CHAR) return static_cast<char32_t>(c);
    }
    return std::nullopt;
}

std::string composed(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    const icu::StringPiece piece(text.data(), static_cast<std::int32_t>(text.size()));
    // Most texts are composed already: they are given back without going through the normaliser.
    if (U_SUCCESS(status) && (!isValid(text) || nfc->isNormalizedUTF8(piece, status))) return std::string(text);
    std::string result;
    icu::StringByteSink<std::string> sink(&result, static_cast<std::int32_t>(text.size()));
    if (U_SUCCESS(status)) nfc->normalizeUTF8(0, piece, sink, nullptr, status);
    if (U_FAILURE(status)) throw std::runtime_error("Biblioteka ICU nie złożyła znaków tekstu do postaci NFC.");
    return result;
}

std::string codePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

std::string rightAligned(std::string_view text, std::size_t width, char fill) {
    std::size_t count = length(text);
    if (count <= width) return std::string(width - count, fill) + std::string(text);
    int32_t at = 0;
    for (const auto size = static_cast<int32_t>(text.size()); count > width; --count) U8_FWD_1(text.data(), at, size);
    return std::string(text.substr(static_cast<std::size_t>(at)));
}

}  // namespace Core::Utf8
