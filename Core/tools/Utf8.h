#pragma once
// UTF-8 text measured in characters (code points), the way the store's
// single-byte code page counted them: a Polish letter is one character.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Core::Utf8 {

// Whether the bytes are well-formed UTF-8 (a text in a single-byte code page
// with national letters is not).
bool isValid(std::string_view text);

// The number of characters of the text.
std::size_t length(std::string_view text);

// At most `count` characters of the text from its character `first` on
// (fewer when the text ends first); a character is never cut.
std::string_view substr(std::string_view text, std::size_t first, std::size_t count);

// The characters of the text, each as its bytes; a byte that starts or
// continues no valid character counts as one character.
std::vector<std::string_view> characters(std::string_view text);

// The text right-aligned in a field of `width` characters, filled on the left
// with `fill`; of a longer text only its last `width` characters are kept.
std::string rightAligned(std::string_view text, std::size_t width, char fill);

}  // namespace Core::Utf8
