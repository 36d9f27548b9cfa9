#include "Core/tools/Charset.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace Core {
namespace {

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

}  // namespace

std::string fromUtf8(std::string_view text, const std::string& charset) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open(charset.c_str(), &status));
    if (U_FAILURE(status))
        throw std::runtime_error("Nieznany zestaw znaków: \"" + charset + "\".");
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), text.size()));
    std::string out(static_cast<std::size_t>(unicode.length()) * 4 + 1, '\0');
    const int32_t written = unicode.extract(out.data(), static_cast<int32_t>(out.size()), converter.get(), status);
    if (U_FAILURE(status)) throw std::runtime_error("Nie można zapisać tekstu w zestawie znaków " + charset + ".");
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::string labelPrinterCharset() {
    const auto key = SingletonImplHolder::get<CSetup>().GetRootKey().GetSubKey(
        {"Parametry sklepu", "Metkowanie", "Strona kodowa"});
    return key.GetVal<std::string>();
}

std::string convertWinToLatin(std::string_view text) { return fromUtf8(text, labelPrinterCharset()); }

}  // namespace Core
