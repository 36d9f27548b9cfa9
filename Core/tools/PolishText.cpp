#include "Core/tools/PolishText.h"

#include <unicode/locid.h>
#include <unicode/ulocdata.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace Core::PolishText {
namespace {

const icu::Locale& polish() {
    static const icu::Locale locale("pl", "PL");
    return locale;
}

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

std::string toUpper(std::string_view utf8) { return toUtf8(fromUtf8(utf8).toUpper(polish())); }

std::string toLower(std::string_view utf8) { return toUtf8(fromUtf8(utf8).toLower(polish())); }

bool isLetter(char32_t codePoint) { return letters().contains(static_cast<UChar32>(codePoint)); }

}  // namespace Core::PolishText
