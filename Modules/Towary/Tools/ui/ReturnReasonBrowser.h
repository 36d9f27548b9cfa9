#pragma once
// The return-reason window: the grid of the reasons the tills offer, opened
// by the action kReturnReasonBrowserGuid (its result is the window). While
// it is open it holds the store's lock of the list (Session::lockName), so no
// other window, in this process or another, edits the reasons meanwhile: a
// second window waits for it up to its session's busy timeout, then is
// refused; a window whose process dies lets it go. The lock is no database
// transaction: the list is read and saved in short transactions, and the
// rest of the store is written freely while the window stays open. Saving
// checks the whole list and writes it at once. Refusals are
// Sysutils::Exception with the message the window shows; the window stays
// open with its edits.

#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"
#include "Core/ReturnReasons/ReturnReason.h"
#include "Core/registration/Registrations.h"

#include <memory>
#include <optional>
#include <vector>

namespace Towary::ProductTools {

inline constexpr const char* kReturnReasonBrowserGuid = "{605CD900-462E-4AEF-8578-EF4E95BE96D0}";
// The host's menu item the window belongs to (and the user's rights on it).
inline constexpr const char* kReturnReasonBrowserMenuItem = ".miSpisy.miDictionaries.miReturnReasonBrowser";
// The font colour of a reason marked deleted.
inline constexpr int kDeletedReasonColour = 0x808080;

class TOWARY_EXPORT ReturnReasonBrowser : public virtual Core::IUnknown {
public:
    // Opens the window on the session: locks the list and loads the reasons.
    explicit ReturnReasonBrowser(TSessionHolder session);
    // Drops what was not saved; the lock ends with the window.
    ~ReturnReasonBrowser() override;
    ReturnReasonBrowser(const ReturnReasonBrowser&) = delete;
    ReturnReasonBrowser& operator=(const ReturnReasonBrowser&) = delete;

    // The grid's columns, "Powód zwrotu" (key "ReturnReason") and "Skrót powodu zwrotu" ("Shortcut").
    static const std::vector<Core::TGridColumn>& columns();

    const std::vector<ReturnReasons::ReturnReason>& reasons() const { return reasons_; }
    // Whether the list holds edits not saved.
    bool isModified() const { return modified_; }
    // The font colour of a row: grey for a reason marked deleted, none (the grid's own) otherwise.
    std::optional<int> fontColour(std::size_t index) const;

    // Loading, at opening and on "Wycofaj": the edits are dropped, the list
    // locked when the window does not hold it, and the reasons read (with
    // "lockForUpdate", in a transaction that ends with the read). Refused with
    // a message when another window holds the list, or another command the
    // store, past the session's busy timeout.
    void load();

    // The edits and the save need the list locked: a closed window refuses
    // them until loaded again.

    // A new empty row at the end; its row number.
    std::size_t add();
    // The text and shortcut editors: a value they refuse leaves the row as it
    // was. A text is kept composed (NFC).
    void editText(std::size_t index, const std::string& text);
    void editShortcut(std::size_t index, const std::string& shortcut);
    // Asks whether to delete the reason; on yes marks it deleted. True when marked.
    bool remove(std::size_t index);
    // "Przywróć": clears the deleted mark.
    void restore(std::size_t index);

    // Checks the whole list and writes it in one transaction; the window
    // keeps its lock and the list as saved, new reasons with their ids.
    void save();
    // "Wyślij na kasy": invokes the tills' sending action and tells the user
    // it went; a failure it reports is thrown with its reason. It sends what
    // the store saved, so it needs no window and no lock.
    static void sendToTills();
    // Closing: with edits not saved asks whether to drop them; true when the
    // window may close (the edits are then dropped and the lock let go).
    bool close();

private:
    void requireLock() const;
    ReturnReasons::ReturnReason& row(std::size_t index);

    TSessionHolder session_;
    std::unique_ptr<DBKernel::Backend::NamedLock> lock_;
    std::vector<ReturnReasons::ReturnReason> reasons_;
    bool modified_ = false;
};

}  // namespace Towary::ProductTools

TOWARY_EXPORT void registerReturnReasonBrowserObjects(Core::Registrations& registrations);
