#include "tests/support/ScriptedDialogs.h"

#include <algorithm>
#include <stdexcept>

namespace TestSupport {

bool ScriptedDialogs::next(const std::string& what) {
    if (answers.empty()) throw std::logic_error("unexpected dialog: " + what);
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::message(Core::MsgKind kind, const std::string& text) {
    shown.push_back({kind == Core::MsgKind::Warning ? "warning" : "information", text});
}

bool ScriptedDialogs::ask(const std::string& text) {
    shown.push_back({"question", text});
    return next(text);
}

bool ScriptedDialogs::multiOptions(Core::MsgKind, const std::string& text, std::vector<Core::CCheckBoxOption>& options) {
    shown.push_back({"options", text});
    for (auto& option : options) option.checked = next(option.caption);
    return true;
}

bool ScriptedDialogs::askWithOptions(const std::string& title, const std::string& text,
                                     std::vector<Core::CCheckBoxOption>& options) {
    shown.push_back({"options", title + "\n" + text});
    for (auto& option : options) {
        option.checked = std::find(ticked.begin(), ticked.end(), option.id) != ticked.end();
        shown.push_back({"options", "[" + std::string(option.checked ? "x" : " ") + "] " + option.caption});
    }
    return next(text);
}

std::optional<std::filesystem::path> ScriptedDialogs::openFile(const std::string& title) {
    shown.push_back({"file", title});
    if (files.empty()) throw std::logic_error("unexpected open-file dialog: " + title);
    const auto file = files.front();
    files.pop_front();
    return file;
}

bool ScriptedDialogs::showText(const Core::TBaseTextViewerArgs& args) {
    shown.push_back({"viewer", args.title + "\n" + args.text});
    return next(args.title);
}

std::optional<std::size_t> ScriptedDialogs::chooseRow(const Core::TGridChoiceArgs& args) {
    shown.push_back({"grid", args.caption});
    grids.push_back(args);
    if (rows.empty()) throw std::logic_error("unexpected grid: " + args.caption);
    const auto row = rows.front();
    rows.pop_front();
    return row;
}

std::string ScriptedDialogs::transcript() const {
    std::string text;
    for (const auto& [kind, what] : shown) text += kind + ": " + what + "\n";
    return text;
}

ScopedDialogs::ScopedDialogs()
    : dialogs_(std::make_shared<ScriptedDialogs>()), previous_(Core::setDialogs(dialogs_)) {}

ScopedDialogs::~ScopedDialogs() { Core::setDialogs(previous_); }

}  // namespace TestSupport
