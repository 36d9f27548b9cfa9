#include "Core/Dialogs/Dialogs.h"

#include <mutex>
#include <stdexcept>
#include <utility>

namespace Core {
namespace {

struct Installed {
    std::mutex mutex;
    std::shared_ptr<IDialogs> dialogs;
};

Installed& installed() {
    static Installed value;
    return value;
}

}  // namespace

IDialogs::~IDialogs() = default;

std::shared_ptr<IDialogs> setDialogs(std::shared_ptr<IDialogs> dialogs) {
    std::lock_guard lock(installed().mutex);
    return std::exchange(installed().dialogs, std::move(dialogs));
}

IDialogs& dialogs() {
    std::lock_guard lock(installed().mutex);
    if (!installed().dialogs) throw std::logic_error("Program nie udostępnia okien dialogowych.");
    return *installed().dialogs;
}

void WarnMsgBox(const std::string& text) { dialogs().message(MsgKind::Warning, text); }
void InfoMsgBox(const std::string& text) { dialogs().message(MsgKind::Information, text); }
bool AskMsgBox(const std::string& text) { return dialogs().ask(text); }

bool TMultiOptionsMsgBox(const std::string& text, std::vector<CCheckBoxOption>& options) {
    return dialogs().multiOptions(MsgKind::Warning, text, options);
}

bool TMultiOptionsMsgBox(const std::string& title, const std::string& text, std::vector<CCheckBoxOption>& options) {
    return dialogs().askWithOptions(title, text, options);
}

std::optional<std::filesystem::path> TdlgOpen(const std::string& title) { return dialogs().openFile(title); }

bool TBaseTextViewer(const TBaseTextViewerArgs& args) { return dialogs().showText(args); }

std::optional<std::size_t> TGridChoiceDialog(const TGridChoiceArgs& args) { return dialogs().chooseRow(args); }

}  // namespace Core
