#pragma once
// UTF-8 text measured in characters (code points), the way the store's
// single-byte code page counted them: a Polish letter is one character; and
// text as the store keeps it: composed (NFC), one line.

#include <cstddef>
#include <optional>
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

// The first control character of the text (Unicode's Cc: U+0000 to U+001F,
// U+007F to U+009F, a tab and the line ends among them), if any; bytes that
// are not UTF-8 are passed over.
std::optional<char32_t> firstControlCharacter(std::string_view text);

// The text in Unicode's composed form (NFC), in which the store keeps texts:
// a letter typed as its base letter and a combining mark ("o" and U+0301)
// becomes the one character ("ó"), which single-byte code pages have. Text
// that is not UTF-8 is given back unchanged.
std::string composed(std::string_view text);

// A character as Unicode names it in writing: "U+0009", "U+FFFF", "U+1F600".
std::string codePointName(char32_t c);

// The text right-aligned in a field of `width` characters, filled on the left
// with `fill`; of a longer text only its last `width` characters are kept.
std::string rightAligned(std::string_view text, std::size_t width, char fill);

}  // namespace Core::Utf8
