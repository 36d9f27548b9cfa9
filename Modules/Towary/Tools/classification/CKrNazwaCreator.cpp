#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/Utf8.h"

#include <unicode/utf8.h>

#include <stdexcept>
#include <string_view>

namespace Towar {
namespace {

constexpr int kLongest = 40;

Orvel::TKey towaryKey() {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey({"Parametry programu", "Towary"});
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A character the till prints without a listing: an ASCII letter, a digit or
// white space, as the single-byte test of the code page sees them.
bool alwaysAllowed(std::string_view character) {
    if (character.size() != 1) return false;
    const char c = character.front();
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

CKrNazwaCreator::CKrNazwaCreator(const std::string& name, int vatCode, int day)
    : name_(Core::Utf8::composed(name)), vatCode_(vatCode), day_(day), length_(towaryKey().GetKey("Długość krótkiej nazwy").GetVal<int>()) {
    if (length_ > kLongest)
        throw std::runtime_error("Długość krótkiej nazwy towaru zbyt duża. Maksymalna wartość to 40.");
    // The fiscal letter takes the last place: a short name has at least that one.
    if (length_ < 1) throw std::runtime_error("Długość krótkiej nazwy towaru zbyt mała. Minimalna wartość to 1.");
}

std::string CKrNazwaCreator::get() const {
    const auto additional =
        towaryKey().GetSubKey({"Krótka nazwa", "Dodatkowe dopuszczalne znaki"}).GetVal<std::string>();
    const auto length = static_cast<std::size_t>(length_);

    // One pass over the characters: kept as they are, or a space each. The
    // evening run makes a name for every changed product, so no list of
    // characters is built.
    std::string text;
    text.reserve(name_.size() + length);
    std::size_t count = 0;  // characters of text
    for (int32_t at = 0, size = static_cast<int32_t>(name_.size()); at < size; ++count) {
        const int32_t begin = at;
        UChar32 c = 0;
        U8_NEXT(name_.data(), at, size, c);
        const std::string_view character(name_.data() + begin, static_cast<std::size_t>(at - begin));
        // A broken byte sequence is never listed: it could match bytes inside a listed letter.
        const bool kept = c >= 0 && (alwaysAllowed(character) || additional.find(character) != std::string::npos);
        if (kept)
            text += character;
        else
            text += ' ';
    }

    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        count = 0;
    } else {
        const auto trailing = text.size() - 1 - text.find_last_not_of(' ');
        text.erase(text.size() - trailing);
        text.erase(0, first);
        count -= first + trailing;  // spaces are one byte each
    }
    if (count > length) {
        text = std::string(Core::Utf8::substr(text, 0, length));
        count = length;
    }
    // A letter standing alone after two spaces at the end says nothing on a
    // receipt. An ASCII byte is a whole character, so the test is on bytes.
    const auto size = text.size();
    if (count >= 3 && isAsciiLetter(text[size - 1]) && text[size - 2] == ' ' && text[size - 3] == ' ')
        text[size - 1] = ' ';
    text.append(length - count, ' ');
    // The fiscal letter takes the last character's place.
    text.erase(text.size() - Core::Utf8::substr(text, length - 1, 1).size());
    text += Core::SingletonImplHolder::get<Vat::AvailVatRates>().getFiscalCodeByCode(vatCode_, day_);
    return text;
}

}  // namespace Towar
