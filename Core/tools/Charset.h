#pragma once
// Text for devices that read a single-byte character set: the store's UTF-8
// converted through ICU, a character the set lacks written as "?".

#include <string>
#include <string_view>

namespace Core {

// The UTF-8 text in the character set of that name ("ISO-8859-2",
// "windows-1250", ...); bytes that are not UTF-8 become "?" too. Throws
// std::runtime_error for a name ICU does not know.
std::string fromUtf8(std::string_view text, const std::string& charset);

// The character set of the label printer's files: the setting
// "Parametry sklepu / Metkowanie / Strona kodowa" (ISO-8859-2 in the sample settings).
std::string labelPrinterCharset();

// A label's text in the label printer's character set.
std::string convertWinToLatin(std::string_view text);

}  // namespace Core
