#include "tests/support/ScriptedDialogs.h"

#include <algorithm>
#include <stdexcept>

namespace TestSupport {
namespace {

// The next scripted answer; a dialog the script did not expect fails the test with an exception.
template <class T>
T take(std::deque<T>& script, const std::string& what) {
    if (script.empty()) throw std::logic_error("unexpected dialog: " + what);
    T answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

bool ScriptedDialogs::next(const std::string& what) { return take(answers, what); }

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
    return take(files, "open-file " + title);
}

bool ScriptedDialogs::showText(const Core::TBaseTextViewerArgs& args) {
    shown.push_back({"viewer", args.title + "\n" + args.text});
    return next(args.title);
}

std::optional<std::size_t> ScriptedDialogs::chooseRow(const Core::TGridChoiceArgs& args) {
    shown.push_back({"grid", args.caption});
    grids.push_back(args);
    return take(rows, "grid " + args.caption);
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
