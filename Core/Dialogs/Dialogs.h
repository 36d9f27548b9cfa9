#pragma once
// The host's dialogs: message boxes, the multi-option box, the text
// viewer, the grid and the open-file dialog. The host installs the implementation (a terminal, a window, a
// scripted answerer in tests); the module only calls the functions below.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Core {

// A check box shown under the text of a multi-option box.
struct CCheckBoxOption {
    std::string caption;
    bool checked = false;
    std::string id;  // the option's name for the code (and for scripts answering the box)
};

// A column of a read-only grid: its key, its caption (a line break starts
// the header's second line) and the alignment of its cells.
struct TGridColumn {
    enum class Align { Left, Right, Centre };
    std::string key;
    std::string caption;
    Align align = Align::Left;
};

// Rows under their columns, a cell per column.
struct TTextTable {
    std::vector<TGridColumn> columns;
    std::vector<std::vector<std::string>> rows;
};

// What the text viewer shows.
struct TBaseTextViewerArgs {
    std::string description;
    std::string title;
    std::string identifier;  // the menu item that owns the window
    std::string text;
    std::string fontName;
    bool fixedPitch = false;
    int charset = 0;
    // The text's entries as a table too, for a host that can let the user sort
    // them (a browser); a terminal shows the text.
    std::optional<TTextTable> table;
};

enum class MsgKind { Warning, Information };

// A read-only grid the user picks one whole row of.
struct TGridChoiceArgs {
    std::string caption;
    std::vector<TGridColumn> columns;
    std::vector<std::vector<std::string>> rows;  // a cell per column
};

// The host's implementation of the dialogs.
class IDialogs {
public:
    virtual ~IDialogs();
    virtual void message(MsgKind kind, const std::string& text) = 0;
    // A yes/no question: true for yes.
    virtual bool ask(const std::string& text) = 0;
    // A message with check boxes the user may tick; false when cancelled.
    virtual bool multiOptions(MsgKind kind, const std::string& text, std::vector<CCheckBoxOption>& options) = 0;
    // A yes/no question titled `title` with check boxes the user may tick:
    // true for yes. The options come back as the user left them.
    virtual bool askWithOptions(const std::string& title, const std::string& text,
                                std::vector<CCheckBoxOption>& options) = 0;
    // The open-file dialog titled `title`: the file chosen, none when cancelled.
    virtual std::optional<std::filesystem::path> openFile(const std::string& title) = 0;
    // Shows a text; true when the user closed the viewer with OK.
    virtual bool showText(const TBaseTextViewerArgs& args) = 0;
    // Shows the grid; the index of the row the user chose, none when cancelled.
    virtual std::optional<std::size_t> chooseRow(const TGridChoiceArgs& args) = 0;
};

// Installs the process-wide dialogs; returns the previous ones.
std::shared_ptr<IDialogs> setDialogs(std::shared_ptr<IDialogs> dialogs);
// The installed dialogs; throws std::logic_error when the host installed none.
IDialogs& dialogs();

void WarnMsgBox(const std::string& text);
void InfoMsgBox(const std::string& text);
bool AskMsgBox(const std::string& text);
// A box with check-box options; the options come back as the user left them.
bool TMultiOptionsMsgBox(const std::string& text, std::vector<CCheckBoxOption>& options);
// A question box titled `title`, yes and no, with check-box options: true for yes.
bool TMultiOptionsMsgBox(const std::string& title, const std::string& text, std::vector<CCheckBoxOption>& options);
// The open-file dialog: the file chosen, none when cancelled.
std::optional<std::filesystem::path> TdlgOpen(const std::string& title);
bool TBaseTextViewer(const TBaseTextViewerArgs& args);
std::optional<std::size_t> TGridChoiceDialog(const TGridChoiceArgs& args);

}  // namespace Core
