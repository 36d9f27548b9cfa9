#include "apps/towary/TerminalDialogs.h"

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

namespace Towary::Host {

TerminalDialogs::TerminalDialogs(std::istream& in, std::ostream& out, std::ostream& err, bool interactive,
                                 std::optional<bool> answer)
    : in_(in), out_(out), err_(err), interactive_(interactive), answer_(answer) {}

void TerminalDialogs::message(Core::MsgKind kind, const std::string& text) {
    err_ << (kind == Core::MsgKind::Warning ? "Ostrzeżenie: " : "Informacja: ") << text << '\n';
}

bool TerminalDialogs::answer(const std::string& question) {
    if (answer_) {
        out_ << question << (*answer_ ? " [tak]\n" : " [nie]\n");
        return *answer_;
    }
    if (!interactive_)
        throw std::runtime_error("Pytanie bez odpowiedzi: \"" + question +
                                 "\". Uruchom polecenie w terminalu albo podaj --yes lub --no.");
    for (;;) {
        out_ << question << " [t/n] " << std::flush;
        std::string reply;
        if (!std::getline(in_, reply)) throw std::runtime_error("Brak odpowiedzi na pytanie: \"" + question + "\".");
        if (reply == "t" || reply == "T" || reply == "tak") return true;
        if (reply == "n" || reply == "N" || reply == "nie") return false;
    }
}

bool TerminalDialogs::ask(const std::string& text) { return answer(text); }

bool TerminalDialogs::multiOptions(Core::MsgKind kind, const std::string& text,
                                   std::vector<Core::CCheckBoxOption>& options) {
    message(kind, text);
    for (auto& option : options) option.checked = answer(option.caption);
    return true;
}

bool TerminalDialogs::showText(const Core::TBaseTextViewerArgs& args) {
    out_ << "== " << args.title << " ==\n" << args.description << "\n\n" << args.text;
    if (!args.text.empty() && args.text.back() != '\n') out_ << '\n';
    out_ << '\n';
    return true;
}

}  // namespace Towary::Host
