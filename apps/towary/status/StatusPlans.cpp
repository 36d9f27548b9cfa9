#include "apps/towary/status/StatusPlans.h"

#include "Core/Action/ActionContainer.h"
#include "Core/UserMessage.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/format.hpp>

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace Towary::Host::StatusPlans {
namespace {

using Towary::ProductTools::StatusChangeBrowser;

std::shared_ptr<StatusChangeBrowser> openWindow() {
    return Core::Action::CContainer::invoke<StatusChangeBrowser>(
        "towary status", Towary::ProductTools::kStatusChangeBrowserGuid, nullptr);
}

// A status as the terminal writes it: its value and its name.
std::string statusText(int status) { return std::to_string(status) + " " + StatusChangeBrowser::statusName(status); }

// A row's cells, tab-separated, the status with its value.
std::string rowText(const StatusChangeBrowser& window, std::size_t row) {
    std::string text;
    for (const auto& column : StatusChangeBrowser::columns()) {
        if (!text.empty()) text += '\t';
        text += column.key == "Status" ? statusText(window.rows().at(row)->status) : window.cell(row, column.key);
    }
    return text;
}

std::string header(const std::string& first) {
    std::string text = first;
    for (const auto& column : StatusChangeBrowser::columns()) text += '\t' + column.caption;
    return text + '\n';
}

int productId(const std::string& product) {
    return static_cast<int>(productByArgument(product, TSessionHolder())->GetTowarRef());
}

std::optional<std::size_t> rowOfProductDay(const StatusChangeBrowser& window, int product, int day) {
    const auto& rows = window.rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows.at(row)->productId == product && rows.at(row)->changeDate == day) return row;
    return std::nullopt;
}

// The clerk's session with the window at the prompt.
class WindowPrompt {
public:
    explicit WindowPrompt(std::ostream& out) : out_(out), window_(openWindow()) {}

    // Carries out one line; false once the window closed.
    bool perform(const std::string& line) {
        std::istringstream words(line);
        std::string action;
        words >> action;
        if (action.empty()) return true;
        if (action == "wyjście") return !window_->close();
        if (action == "pokaż") return show();
        if (action == "pomoc") return help();
        if (action == "zapisz") {
            window_->save();
            out_ << "Zapisano.\n";
            return show();
        }
        if (action == "odśwież" || action == "F5") return window_->refresh() ? show() : true;
        if (action == "znajdź" || action == "F7") return find(rest(words));
        if (action == "dodaj") {
            const auto product = word(words, "towar (identyfikator albo / i indeks)");
            const int day = Core::DayNumber::fromText(word(words, "dzień RRRR-MM-DD"));
            return shown(window_->add(productId(product), day));
        }
        if (action == "status") {
            const auto row = rowNumber(words);
            window_->setStatus(row, number(word(words, "status"), "Status"));
            return shown(row);
        }
        if (action == "data") {
            const auto row = rowNumber(words);
            window_->setChangeDate(row, Core::DayNumber::fromText(word(words, "dzień RRRR-MM-DD")));
            return shown(row);
        }
        if (action == "usuń") {
            window_->remove(rowNumber(words));
            return show();
        }
        throw std::runtime_error("Nieznane polecenie okna \"" + action + "\" (pomoc wypisuje polecenia).");
    }

    bool show() {
        out_ << "== " << Towary::ProductTools::kStatusChangeBrowserTitle << " ==\n" << header("Nr");
        for (std::size_t row = 0; row < window_->rows().size(); ++row) line(row);
        out_ << (window_->isModified() ? "(zmiany niezapisane)\n" : "");
        return true;
    }

private:
    bool help() {
        out_ << "dodaj TOWAR RRRR-MM-DD, status NR STATUS, data NR RRRR-MM-DD, usuń NR, zapisz, odśwież (F5), "
                "znajdź TEKST (F7), pokaż, wyjście. NR: numer wiersza; * oznacza zmianę minioną lub wykonaną.\n";
        return true;
    }

    bool find(const std::string& text) {
        const auto row = window_->findText(text, found_ ? *found_ + 1 : 0);
        found_ = row;
        if (!row) {
            out_ << "Nie znaleziono \"" << text << "\" w dalszych wierszach.\n";
            return true;
        }
        return shown(*row);
    }

    bool shown(std::size_t row) {
        line(row);
        return true;
    }

    void line(std::size_t row) {
        out_ << row + 1 << (window_->isPast(row) ? "*" : "") << '\t' << rowText(*window_, row) << '\n';
    }

    static std::string word(std::istream& words, const std::string& what) {
        std::string text;
        if (!(words >> text)) throw std::runtime_error("Brak argumentu polecenia: " + what + ".");
        return text;
    }

    static std::string rest(std::istream& words) {
        std::string text;
        std::getline(words >> std::ws, text);
        if (text.empty()) throw std::runtime_error("Brak argumentu polecenia: szukany tekst.");
        return text;
    }

    static int number(const std::string& text, const std::string& what) {
        const auto value = Core::parseNumber<int>(text);
        if (!value || *value < 0) throw std::runtime_error(what + " \"" + text + "\" nie jest liczbą.");
        return *value;
    }

    std::size_t rowNumber(std::istream& words) const {
        const int row = number(word(words, "numer wiersza"), "Numer wiersza");
        if (row < 1 || static_cast<std::size_t>(row) > window_->rows().size())
            throw std::runtime_error("Nie ma wiersza " + std::to_string(row) + ": wiersze mają numery od 1 do " +
                                     std::to_string(window_->rows().size()) + ".");
        return static_cast<std::size_t>(row - 1);
    }

    std::ostream& out_;
    std::shared_ptr<StatusChangeBrowser> window_;
    std::optional<std::size_t> found_;
};

}  // namespace

std::string plan(const std::string& product, int status, const std::string& day) {
    const int changeDay = Core::DayNumber::fromText(day);
    const auto window = openWindow();
    const int id = productId(product);
    auto row = rowOfProductDay(*window, id, changeDay);
    if (!row) row = window->add(id, changeDay);
    window->setStatus(*row, status);
    const auto name = window->rows().at(*row)->productName;
    window->save();
    return (boost::format("Towar %1% (%2%): status %3% od %4%.") % id % name % statusText(status) % day).str();
}

void list(bool all, std::ostream& out) {
    const auto window = openWindow();
    out << header("Id");
    for (std::size_t row = 0; row < window->rows().size(); ++row)
        if (all || !window->isPast(row)) out << window->rows().at(row)->id << '\t' << rowText(*window, row) << '\n';
}

void remove(int id) {
    const auto window = openWindow();
    const auto& rows = window->rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows.at(row)->id == id) {
            window->remove(row);
            window->save();
            return;
        }
    throw std::runtime_error((boost::format("Nie ma zaplanowanej zmiany statusu o identyfikatorze %1%.") % id).str());
}

void window(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) {
    WindowPrompt prompt(out);
    prompt.show();
    for (;;) {
        if (interactive) out << "> " << std::flush;
        std::string line;
        if (!std::getline(in, line)) {
            // The end of the input leaves the window as "wyjście" does; unsaved edits need an answer.
            if (!prompt.perform("wyjście"))
                return;
            throw std::runtime_error("Polecenia okna skończyły się, a wprowadzonych zmian nie zapisano ani nie "
                                     "porzucono: dopisz \"zapisz\" albo odpowiedz --yes.");
        }
        if (!interactive) out << "> " << line << '\n';
        try {
            if (!prompt.perform(line)) return;
        } catch (const std::exception& e) {
            if (!interactive) throw;
            err << "Błąd: " << Core::userMessage(e) << '\n';
        }
    }
}

}  // namespace Towary::Host::StatusPlans
