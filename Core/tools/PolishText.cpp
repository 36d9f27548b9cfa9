#include "Core/tools/PolishText.h"

#include <unicode/uchar.h>
#include <unicode/ulocdata.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace Core::PolishText {
namespace {

icu::UnicodeString fromUtf8(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

// The locale's exemplar letters of one kind, with their other case added.
void addExemplars(icu::UnicodeSet& letters, ULocaleDataExemplarSetType type) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<ULocaleData, decltype(&ulocdata_close)> data(ulocdata_open("pl", &status), &ulocdata_close);
    USet* set = U_SUCCESS(status) ? ulocdata_getExemplarSet(data.get(), nullptr, USET_ADD_CASE_MAPPINGS, type, &status)
                                  : nullptr;
    if (U_FAILURE(status) || set == nullptr)
        throw std::runtime_error(std::string("Brak danych polskich liter w bibliotece ICU: ") + u_errorName(status));
    letters.addAll(*icu::UnicodeSet::fromUSet(set));
    uset_close(set);
}

const icu::UnicodeSet& letters() {
    static const icu::UnicodeSet set = [] {
        icu::UnicodeSet all;
        addExemplars(all, ULOCDATA_ES_STANDARD);
        addExemplars(all, ULOCDATA_ES_AUXILIARY);
        // Exemplar sets may also list sequences and marks; only single letters count.
        UErrorCode status = U_ZERO_ERROR;
        all.retainAll(icu::UnicodeSet(icu::UnicodeString(u"[:L:]"), status));
        if (U_FAILURE(status)) throw std::runtime_error(std::string("Błąd ICU: ") + u_errorName(status));
        all.freeze();
        return all;
    }();
    return set;
}

}  // namespace

// Character by character, as the store's code page converted case: a letter
// whose upper case is two letters ("ß") stays as it is.
template <UChar32 (*convert)(UChar32)>
std::string mapEach(std::string_view utf8) {
    const icu::UnicodeString text = fromUtf8(utf8);
    icu::UnicodeString mapped;
    for (int32_t at = 0; at < text.length(); at = text.moveIndex32(at, 1)) mapped.append(convert(text.char32At(at)));
    return toUtf8(mapped);
}

std::string toUpper(std::string_view utf8) { return mapEach<u_toupper>(utf8); }

std::string toLower(std::string_view utf8) { return mapEach<u_tolower>(utf8); }

bool isLetter(char32_t codePoint) { return letters().contains(static_cast<UChar32>(codePoint)); }

}  // namespace Core::PolishText
