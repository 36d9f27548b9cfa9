#include "Core/Plu/PluConfig.h"

#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Gs1.h"

#include <boost/format.hpp>

#include <optional>

namespace Plu {
namespace {

// Every code of a mask with an item number is an EAN-13.
constexpr std::size_t kEan13Length = 13;
const std::vector<std::string> kMasksPath = {"Parametry programu", "Towary", "Kody PLU", "Maski"};

bool hasItemNumber(PluType type) { return type == PluType::W || type == PluType::S || type == PluType::P; }

// The digits of a whole code of the mask: its fixed length for masks with an
// item number and for article codes, the most digits for short codes.
std::size_t codeLength(const TPluConfig::TMask& mask) {
    return hasItemNumber(mask.type) ? kEan13Length : static_cast<std::size_t>(mask.length);
}

// Whether the digits, padded on the left with zeros to `width`, start with the prefix.
bool paddedStartsWith(std::string_view digits, std::size_t width, std::string_view prefix) {
    const std::size_t zeros = width - digits.size();
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char digit = i < zeros ? '0' : digits[i - zeros];
        if (digit != prefix[i]) return false;
    }
    return true;
}

// The canonical code when the significant digits fit the mask as they stand.
std::optional<std::string> fitAsIs(std::string_view digits, const TPluConfig::TMask& mask) {
    const std::size_t length = codeLength(mask);
    if (digits.size() > length || !paddedStartsWith(digits, length, mask.text)) return std::nullopt;
    switch (mask.type) {
    case PluType::G:
        return std::string(digits);
    case PluType::C:
        // Leading zeros add nothing to a GS1 check sum, so the digits carry
        // the check digit of the padded code.
        if (!Core::Gs1::hasValidCheckDigit(digits)) return std::nullopt;
        return Core::padLeft(std::string(digits), length);
    default: {
        // The store makes these codes itself: the check digit is recomputed.
        std::string code = Core::padLeft(std::string(digits), length);
        code.back() = Core::Gs1::checkDigit(std::string_view(code).substr(0, length - 1));
        return code;
    }
    }
}

// The canonical code when the digits are a whole code of the mask without its check digit.
std::optional<std::string> fitWithoutCheckDigit(std::string_view digits, const TPluConfig::TMask& mask) {
    if (mask.type == PluType::G || digits.size() + 1 != codeLength(mask)) return std::nullopt;
    std::string code(digits);
    code += Core::Gs1::checkDigit(digits);
    if (!code.starts_with(mask.text)) return std::nullopt;
    return code;
}

void validate(const TPluConfig::TMask& mask, std::size_t ordinal) {
    const auto fail = [&](const std::string& reason) {
        throw std::invalid_argument((boost::format("Maska kodów PLU nr %1% (tekst \"%2%\", typ %3%, długość %4%): %5%") %
                                     ordinal % mask.text % static_cast<char>(mask.type) % mask.length % reason)
                                        .str());
    };
    if (!Core::allDigits(mask.text)) fail("tekst maski może zawierać tylko cyfry.");
    if (mask.length < 1) fail("długość musi być dodatnia.");
    const std::size_t length = static_cast<std::size_t>(mask.length);
    switch (mask.type) {
    case PluType::W:
    case PluType::S:
    case PluType::P:
        if (mask.text.size() + length > kEan13Length - 1)
            fail("tekst i numer towaru muszą zmieścić się w 12 cyfrach kodu EAN-13.");
        break;
    case PluType::C:
        if (length < 2 || mask.text.size() >= length) fail("kod musi być dłuższy niż tekst maski o cyfrę kontrolną.");
        break;
    case PluType::G:
        if (mask.text.size() > length) fail("tekst maski jest dłuższy niż kod.");
        break;
    default:
        fail("nieznany typ maski.");
    }
}

PluType typeFromLetter(const std::string& letter, const std::string& path) {
    for (PluType type : {PluType::W, PluType::C, PluType::S, PluType::P, PluType::G})
        if (letter.size() == 1 && letter[0] == static_cast<char>(type)) return type;
    throw std::runtime_error("Nieznany typ maski kodów PLU \"" + letter + "\" w ustawieniu " + path +
                             " (dozwolone: W, C, S, P, G).");
}

}  // namespace

EInvalidPlu::EInvalidPlu(const std::string& message) : std::runtime_error(message) {}
EInvalidPlu::~EInvalidPlu() = default;

TPluConfig::TPluConfig(std::vector<TMask> masks) : masks_(std::move(masks)) {
    for (std::size_t i = 0; i < masks_.size(); ++i) validate(masks_[i], i + 1);
}

TPluConfig TPluConfig::fromSettings(const Orvel::TKey& root) {
    const Orvel::TKey masksKey = root.GetSubKey(kMasksPath);
    std::vector<TMask> masks;
    for (const Orvel::TKey& key : masksKey) {
        TMask mask;
        mask.text = key.GetKey("Tekst").GetVal<std::string>();
        mask.flag = key.GetKey("Uzupełnianie").GetVal<bool>();
        const Orvel::TKey typeKey = key.GetKey("Typ");
        mask.type = typeFromLetter(typeKey.GetVal<std::string>(), typeKey.GetRep().strPath);
        // No code of the store is longer than an EAN-13.
        mask.length = Core::Setup::valueInRange(key.GetKey("Długość"), 1, static_cast<int>(kEan13Length));
        masks.push_back(std::move(mask));
    }
    if (masks.empty())
        throw std::runtime_error("Brak masek kodów PLU w ustawieniach sklepu (" + Orvel::pathText(kMasksPath) + ").");
    return TPluConfig(std::move(masks));
}

TPluConfig::TCode TPluConfig::canonical(std::string_view text) const {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) throw EInvalidPlu("Pusty kod PLU.");
    const std::string_view code = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!Core::allDigits(code)) throw EInvalidPlu("Kod PLU \"" + std::string(text) + "\" zawiera znaki inne niż cyfry.");
    const auto significant = code.find_first_not_of('0');
    if (significant == std::string_view::npos)
        throw EInvalidPlu("Kod PLU \"" + std::string(text) + "\" składa się z samych zer.");
    const std::string_view digits = code.substr(significant);
    for (const TMask& mask : masks_)
        if (auto raw = fitAsIs(digits, mask)) return {std::move(*raw), mask.type};
    for (const TMask& mask : masks_)
        if (auto raw = fitWithoutCheckDigit(digits, mask)) return {std::move(*raw), mask.type};
    throw EInvalidPlu("Kod PLU \"" + std::string(text) +
                      "\" nie pasuje do żadnej maski kodów PLU sklepu: sprawdź jego długość i cyfrę kontrolną (maski: " +
                      Orvel::pathText(kMasksPath) + ").");
}

std::string TPluConfig::complete(const std::string& number, const TMask& mask) const {
    if (!hasItemNumber(mask.type))
        throw std::invalid_argument(std::string("Maska kodów PLU typu ") + static_cast<char>(mask.type) +
                                    " nie ma numeru towaru do uzupełnienia.");
    if (number.empty() || number.size() > static_cast<std::size_t>(mask.length) || !Core::allDigits(number))
        throw std::invalid_argument("Numer \"" + number + "\" nie mieści się w masce kodów PLU \"" + mask.text +
                                    "\" (do " + std::to_string(mask.length) + " cyfr).");
    std::string code = mask.text + Core::padLeft(number, static_cast<std::size_t>(mask.length));
    code.append(kEan13Length - 1 - code.size(), '0');
    code += Core::Gs1::checkDigit(code);
    return code;
}

std::shared_ptr<const TPluConfig> pluConfig() {
    return std::make_shared<const TPluConfig>(
        TPluConfig::fromSettings(Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey()));
}

}  // namespace Plu
