#include "Core/tools/PolishText.h"

#include <unicode/uchar.h>
#include <unicode/ulocdata.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <memory>
#include <stdexcept>

namespace Core::PolishText {
namespace {

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
// whose upper case is two letters ("ß") stays as it is. Walked in UTF-8 with
// ASCII mapped in place: the name search folds every name it passes.
template <UChar32 (*convert)(UChar32)>
std::string mapEach(std::string_view utf8) {
    std::string mapped;
    mapped.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    for (int32_t at = 0; at < length;) {
        if (bytes[at] < 0x80) {
            mapped += static_cast<char>(convert(bytes[at++]));
            continue;
        }
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        // A byte sequence that is not UTF-8 becomes U+FFFD, as ICU's conversion makes it: the
        // search's index holds what earlier builds folded.
        if (c < 0) c = 0xFFFD;
        uint8_t encoded[U8_MAX_LENGTH];
        int32_t written = 0;
        U8_APPEND_UNSAFE(encoded, written, convert(c));
        mapped.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(written));
    }
    return mapped;
}

std::string toUpper(std::string_view utf8) { return mapEach<u_toupper>(utf8); }

std::string toLower(std::string_view utf8) { return mapEach<u_tolower>(utf8); }

bool isLetter(char32_t codePoint) { return letters().contains(static_cast<UChar32>(codePoint)); }

}  // namespace Core::PolishText
