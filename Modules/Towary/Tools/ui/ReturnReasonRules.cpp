#include "Modules/Towary/Tools/ui/ReturnReasonRules.h"

#include "Core/System/Sysutils.h"
#include "Core/tools/PolishText.h"
#include "Core/tools/Utf8.h"
#include "Core/Xml/WriterBase.h"

#include <boost/format.hpp>

#include <regex>

namespace Towary::ProductTools {
namespace {

constexpr std::size_t kLongestText = 64;

}  // namespace

void checkReturnReasonText(const std::string& text) {
    // The tills get the text in an XML file and show it on one line: bytes
    // that are not UTF-8 would spoil the whole file, a tab or a line end the line.
    if (!Core::Utf8::isValid(text) || Core::Utf8::firstControlCharacter(text))
        throw Sysutils::Exception(
            "Tekst powodu zwrotu musi być zapisany w UTF-8 i nie może zawierać znaków sterujących (tabulacji, końca "
            "wiersza).");
    if (const auto why = Core::Xml::unfitText(text))
        throw Sysutils::Exception("Tekstu powodu zwrotu nie można wysłać do kas w pliku XML: " + *why + ".");
    if (Core::Utf8::length(text) > kLongestText)
        throw Sysutils::Exception("Maksymalna dozwolona długość pola to 64 znaki.");
}

void checkReturnReasonShortcut(const std::string& shortcut) {
    static const std::regex format("[A-Z]{0,3}");
    if (!std::regex_match(shortcut, format))
        throw Sysutils::Exception(
            "Niepoprawny format skrótu.\n Dozwolony format: \n - ilość znaków: od 0 do 3,\n - tylko wielkie litery");
}

void validateReturnReasons(const std::vector<ReturnReasons::ReturnReason>& reasons) {
    std::vector<std::string> lowered;
    lowered.reserve(reasons.size());
    for (const auto& reason : reasons) lowered.push_back(Core::PolishText::toLower(reason.text));
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        const auto& reason = reasons[i];
        if (reason.text.empty()) throw Sysutils::Exception("Pole z nazwą powodu zwrotu nie może być puste.");
        for (std::size_t j = 0; j < reasons.size(); ++j) {
            if (j == i) continue;
            if (lowered[i] == lowered[j])
                throw Sysutils::Exception(
                    boost::str(boost::format("Nazwa powodu zwrotu '%1%' nie jest unikalna.") % reason.text));
            if (!reason.shortcut.empty() && reason.shortcut == reasons[j].shortcut)
                throw Sysutils::Exception(
                    boost::str(boost::format("Skrócona nazwa powodu zwrotu '%1%' nie jest unikalna") % reason.shortcut));
        }
    }
}

}  // namespace Towary::ProductTools
