#pragma once
// Dialogs answered from a script, standing in for the person at the dialog.
// Installed for the lifetime of the object; records everything shown.

#include "Core/Dialogs/Dialogs.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace TestSupport {

class ScriptedDialogs : public Core::IDialogs {
public:
    struct Shown {
        std::string kind;  // "warning", "information", "question", "options", "viewer", "grid", "file"
        std::string text;
    };

    // Answers questions, option boxes and viewers in order; an unexpected
    // question fails the test with an exception.
    std::deque<bool> answers;
    // The rows chosen in grids, in order (none: cancelled); the grids shown, whole.
    std::deque<std::optional<std::size_t>> rows;
    std::vector<Core::TGridChoiceArgs> grids;
    // The ids of the check boxes a question with options gets ticked; the
    // files chosen in open-file dialogs, in order (none: cancelled).
    std::vector<std::string> ticked;
    std::deque<std::optional<std::filesystem::path>> files;
    std::vector<Shown> shown;

    // Everything shown, in order: "kind: text" and a line break for each.
    std::string transcript() const;

    void message(Core::MsgKind kind, const std::string& text) override;
    bool ask(const std::string& text) override;
    bool multiOptions(Core::MsgKind kind, const std::string& text,
                      std::vector<Core::CCheckBoxOption>& options) override;
    bool askWithOptions(const std::string& title, const std::string& text,
                        std::vector<Core::CCheckBoxOption>& options) override;
    std::optional<std::filesystem::path> openFile(const std::string& title) override;
    bool showText(const Core::TBaseTextViewerArgs& args) override;
    std::optional<std::size_t> chooseRow(const Core::TGridChoiceArgs& args) override;

private:
    bool next(const std::string& what);
};

// Installs a ScriptedDialogs for the scope and restores the previous dialogs.
class ScopedDialogs {
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScriptedDialogs& operator*() { return *dialogs_; }
    ScriptedDialogs* operator->() { return dialogs_.get(); }

private:
    std::shared_ptr<ScriptedDialogs> dialogs_;
    std::shared_ptr<Core::IDialogs> previous_;
};

}  // namespace TestSupport
