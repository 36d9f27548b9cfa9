#include "apps/towary/TerminalDialogs.h"

#include "Core/tools/ListText.h"
#include "Core/tools/Numbers.h"
#include "Core/tools/Utf8.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Towary::Host {

TerminalDialogs::TerminalDialogs(std::istream& in, std::ostream& out, std::ostream& err, bool interactive,
                                 std::optional<bool> answer, std::optional<std::size_t> row)
    : in_(in), out_(out), err_(err), interactive_(interactive), answer_(answer), row_(row) {}

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
    // The boxes of a message are the reader's choices, not questions the work waits on: a script that
    // answers nothing leaves them as they stand.
    if (answer_ || interactive_)
        for (auto& option : options) option.checked = answer(option.caption);
    return true;
}

bool TerminalDialogs::askWithOptions(const std::string& title, const std::string& text,
                                     std::vector<Core::CCheckBoxOption>& options) {
    out_ << "== " << title << " ==\n";
    if (!answer(text)) return false;
    for (auto& option : options) {
        if (!script_.ticked) {
            option.checked = answer(option.caption);
            continue;
        }
        option.checked = std::find(script_.ticked->begin(), script_.ticked->end(), option.id) != script_.ticked->end();
        out_ << (option.checked ? "[x] " : "[ ] ") << option.caption << '\n';
    }
    return true;
}

std::optional<std::filesystem::path> TerminalDialogs::openFile(const std::string& title) {
    if (script_.file) return script_.file;
    if (!interactive_)
        throw std::runtime_error("Wybór pliku \"" + title + "\" bez odpowiedzi. Uruchom polecenie w terminalu albo "
                                 "podaj plik w poleceniu.");
    out_ << title << " (pusty: anuluj): " << std::flush;
    std::string reply;
    if (!std::getline(in_, reply)) throw std::runtime_error("Brak odpowiedzi przy wyborze pliku: \"" + title + "\".");
    const auto typed = Core::trimBlanks(reply);
    if (typed.empty()) return std::nullopt;
    return std::filesystem::path(std::string(typed));
}

bool TerminalDialogs::showText(const Core::TBaseTextViewerArgs& args) {
    out_ << "== " << args.title << " ==\n" << args.description << "\n\n" << args.text;
    if (!args.text.empty() && args.text.back() != '\n') out_ << '\n';
    out_ << '\n';
    return true;
}

namespace {

std::string aligned(const std::string& text, std::size_t width, Core::TGridColumn::Align align) {
    const std::size_t gap = width - std::min(width, Core::Utf8::length(text));
    switch (align) {
        case Core::TGridColumn::Align::Right: return std::string(gap, ' ') + text;
        case Core::TGridColumn::Align::Centre: return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
        case Core::TGridColumn::Align::Left: break;
    }
    return text + std::string(gap, ' ');
}

// Ends a line of the grid, without the blanks that padded its last cell.
void endLine(std::string& text) {
    text.erase(text.find_last_not_of(' ') + 1);
    text += '\n';
}

// The grid as text: the headers' lines, a rule, then each row after its number.
std::string gridText(const Core::TGridChoiceArgs& args) {
    std::vector<std::vector<std::string>> headers;
    std::size_t headerLines = 1;
    for (const auto& column : args.columns) {
        headers.push_back(Core::splitList(column.caption, "\n", Core::EmptyItems::keep));
        headerLines = std::max(headerLines, headers.back().size());
    }
    std::vector<std::size_t> widths;
    for (std::size_t c = 0; c < args.columns.size(); ++c) {
        std::size_t width = 0;
        for (const auto& line : headers[c]) width = std::max(width, Core::Utf8::length(line));
        for (const auto& row : args.rows) width = std::max(width, Core::Utf8::length(row.at(c)));
        widths.push_back(width);
    }
    const std::size_t numberWidth = std::max<std::size_t>(2, std::to_string(args.rows.size()).size());
    std::string text;
    for (std::size_t line = 0; line < headerLines; ++line) {
        text += std::string(numberWidth, ' ');
        for (std::size_t c = 0; c < args.columns.size(); ++c)
            text += " | " + aligned(line < headers[c].size() ? headers[c][line] : "", widths[c],
                                    Core::TGridColumn::Align::Left);
        endLine(text);
    }
    text += std::string(numberWidth, '-');
    for (const auto width : widths) text += "-+-" + std::string(width, '-');
    text += '\n';
    for (std::size_t r = 0; r < args.rows.size(); ++r) {
        text += aligned(std::to_string(r + 1), numberWidth, Core::TGridColumn::Align::Right);
        for (std::size_t c = 0; c < args.columns.size(); ++c)
            text += " | " + aligned(args.rows[r].at(c), widths[c], args.columns[c].align);
        endLine(text);
    }
    return text;
}

}  // namespace

std::optional<std::size_t> TerminalDialogs::chooseRow(const Core::TGridChoiceArgs& args) {
    out_ << "== " << args.caption << " ==\n" << gridText(args);
    const std::size_t count = args.rows.size();
    if (count == 0) {
        out_ << "(brak wierszy do wyboru)\n";
        return std::nullopt;
    }
    const std::string range = "od 1 do " + std::to_string(count);
    if (row_) {
        if (*row_ < 1 || *row_ > count)
            throw std::runtime_error("Nie ma wiersza " + std::to_string(*row_) + " w tabeli \"" + args.caption +
                                     "\": wiersze mają numery " + range + ".");
        out_ << "Wybrany wiersz: " << *row_ << '\n';
        return *row_ - 1;
    }
    if (!interactive_)
        throw std::runtime_error("Wybór wiersza tabeli \"" + args.caption +
                                 "\" bez odpowiedzi. Uruchom polecenie w terminalu albo podaj --pick N.");
    for (;;) {
        out_ << "Numer wiersza (" << range << ", pusty: anuluj): " << std::flush;
        std::string reply;
        if (!std::getline(in_, reply))
            throw std::runtime_error("Brak odpowiedzi przy wyborze wiersza tabeli \"" + args.caption + "\".");
        const auto typed = Core::trimBlanks(reply);
        if (typed.empty()) return std::nullopt;
        const auto number = Core::parseNumber<std::size_t>(typed);
        if (number && *number >= 1 && *number <= count) return *number - 1;
    }
}

}  // namespace Towary::Host
