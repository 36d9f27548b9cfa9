#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/Utf8.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

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
    : name_(name), vatCode_(vatCode), day_(day), length_(towaryKey().GetKey("Długość krótkiej nazwy").GetVal<int>()) {
    if (length_ > kLongest)
        throw std::runtime_error("Długość krótkiej nazwy towaru zbyt duża. Maksymalna wartość to 40.");
    // The fiscal letter takes the last place: a short name has at least that one.
    if (length_ < 1) throw std::runtime_error("Długość krótkiej nazwy towaru zbyt mała. Minimalna wartość to 1.");
}

std::string CKrNazwaCreator::get() const {
    const auto additional =
        towaryKey().GetSubKey({"Krótka nazwa", "Dodatkowe dopuszczalne znaki"}).GetVal<std::string>();
    const auto listed = Core::Utf8::characters(additional);

    std::vector<std::string_view> characters = Core::Utf8::characters(name_);
    for (auto& character : characters)
        if (!alwaysAllowed(character) && std::find(listed.begin(), listed.end(), character) == listed.end())
            character = " ";

    const auto isSpace = [](std::string_view character) { return character == " "; };
    const auto first = std::find_if_not(characters.begin(), characters.end(), isSpace);
    const auto last = std::find_if_not(characters.rbegin(), std::make_reverse_iterator(first), isSpace).base();
    std::vector<std::string_view> shortName(first, last);

    const auto length = static_cast<std::size_t>(length_);
    if (shortName.size() > length) shortName.resize(length);
    // A letter standing alone after two spaces at the end says nothing on a receipt.
    const auto size = shortName.size();
    if (size >= 3 && shortName[size - 1].size() == 1 && isAsciiLetter(shortName[size - 1].front()) &&
        isSpace(shortName[size - 2]) && isSpace(shortName[size - 3]))
        shortName[size - 1] = " ";
    shortName.resize(length, " ");

    std::string text;
    for (std::size_t i = 0; i + 1 < length; ++i) text += shortName[i];
    text += Core::SingletonImplHolder::get<Vat::AvailVatRates>().getFiscalCodeByCode(vatCode_, day_);
    return text;
}

}  // namespace Towar
