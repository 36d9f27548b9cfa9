#pragma once
// The dialogs of the towary host: messages on standard error, the text
// viewer and grids on standard output, questions at the terminal's prompt.
// When standard input is not a terminal, --yes or --no answers every
// question and --pick N the row of a grid; a question left without an
// answer is an error, never a silent yes (a message's check boxes are no
// questions: they stay as they are). A command that takes a file or a
// check box's answer on its command line gives it with script().

#include "Core/Dialogs/Dialogs.h"

#include <iosfwd>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Towary::Host {

class TerminalDialogs : public Core::IDialogs {
public:
    // answer: the scripted answer to questions (--yes, --no), if any;
    // row: the scripted row of grids (--pick, counted from 1), if any.
    TerminalDialogs(std::istream& in, std::ostream& out, std::ostream& err, bool interactive,
                    std::optional<bool> answer, std::optional<std::size_t> row = std::nullopt);

    void message(Core::MsgKind kind, const std::string& text) override;
    bool ask(const std::string& text) override;
    // A message with check boxes: each box a question of its own, left as it
    // stands when standard input is no terminal and nothing answers it.
    bool multiOptions(Core::MsgKind kind, const std::string& text,
                      std::vector<Core::CCheckBoxOption>& options) override;
    // A question with check boxes: the question, then each box as a question
    // of its own, unless the script ticks boxes.
    bool askWithOptions(const std::string& title, const std::string& text,
                        std::vector<Core::CCheckBoxOption>& options) override;
    // Asks for a path at the prompt (empty: cancel), unless the script gives the file.
    std::optional<std::filesystem::path> openFile(const std::string& title) override;
    bool showText(const Core::TBaseTextViewerArgs& args) override;

    // What a command's line answers: the file of the open-file dialog and the
    // ids of the check boxes ticked (the others left unticked).
    struct Script {
        std::optional<std::filesystem::path> file;
        std::optional<std::vector<std::string>> ticked;
    };
    void script(Script answers) { script_ = std::move(answers); }
    // Prints the grid, its rows numbered from 1, and asks for one.
    std::optional<std::size_t> chooseRow(const Core::TGridChoiceArgs& args) override;

private:
    bool answer(const std::string& question);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool interactive_;
    std::optional<bool> answer_;
    std::optional<std::size_t> row_;
    Script script_;
};

}  // namespace Towary::Host
