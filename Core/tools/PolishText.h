#pragma once
// Polish text in UTF-8, as the store's Polish locale sees it: case mapping of
// national letters (the dialect's upper and lower, the search of names) and
// the letters that belong to the locale, both through ICU.

#include <string>
#include <string_view>

namespace Core::PolishText {

// The text with every letter in upper (lower) case, character by character:
// "źdźbło" gives "ŹDŹBŁO"; a letter without a one-letter upper case ("ß")
// stays as it is, so the text keeps its number of characters.
std::string toUpper(std::string_view utf8);
std::string toLower(std::string_view utf8);

// Whether the code point is a letter of the Polish locale: the letters of its
// alphabet and the foreign letters Polish text uses (q, v, x, ä, é, ü, ...),
// in either case.
bool isLetter(char32_t codePoint);

}  // namespace Core::PolishText
