#pragma once
// The status-change planning window: the grid of the planned changes of
// products' activity statuses (table StatusChange), opened by the action
// kStatusChangeBrowserGuid (its result is the window). It holds the rules of
// planning: a change is dated today or later, its status is on the store's
// list, a product (never a group) has one change a day, and a change the
// evening run applied is never changed. Edits stay in the window until saved
// together in one transaction. Refusals are Sysutils::Exception with the
// message the window shows; the window keeps its edits. Rows are counted
// from 0 in the order of rows().

#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"
#include "Core/Products/StatusChangeDao.h"
#include "Core/registration/Registrations.h"

#include <optional>
#include <string>
#include <vector>

namespace Towary::ProductTools {

inline constexpr const char* kStatusChangeBrowserGuid = "{E3F9A8A2-FD28-4A83-AFDF-3A62B7D112E1}";
// The host's menu item the window belongs to (and the user's rights on it).
inline constexpr const char* kStatusChangeBrowserMenuItem = ".miSpisy.miSpisTowarow.miStatusChangeBrowser";
inline constexpr const char* kStatusChangeBrowserTitle = "Planowanie zmiany statusu towarów";
// The font colour of a change dated before today or already applied.
inline constexpr int kPastStatusChangeColour = 0x808080;

class TOWARY_EXPORT StatusChangeBrowser : public virtual Core::IUnknown {
public:
    // A button of the window's tool bar: its caption and its key, if any ("F5").
    struct Action {
        std::string caption;
        std::string key;
    };

    // Opens the window on the session and loads the changes.
    explicit StatusChangeBrowser(TSessionHolder session);
    ~StatusChangeBrowser() override;
    StatusChangeBrowser(const StatusChangeBrowser&) = delete;
    StatusChangeBrowser& operator=(const StatusChangeBrowser&) = delete;

    // The grid's columns: "Indeks towaru" (key "ProductIndex"), "Nazwa towaru"
    // ("ProductName"), "Status" ("Status"), "Data zmiany" ("ChangeDate"),
    // "Wykonano" ("Applied"), "Zmodyfikowano" ("Modified").
    static const std::vector<Core::TGridColumn>& columns();
    // "Dodaj", "Usuń", "Zapisz", "Odśwież" (F5), "Znajdź tekst" (F7), "Wyjście".
    static const std::vector<Action>& actions();
    // A status's name on the store's list; "<nieznany>" for a status off it.
    static std::string statusName(int status);

    const Orvel::Products::StatusChanges& rows() const { return changes_; }
    // A cell as the grid shows it: the status's name, the day "yyyy-mm-dd",
    // "tak"/"nie", the time of the last save "yyyy-mm-dd hh:nn:ss" (empty
    // until saved). std::logic_error for a key not among columns().
    std::string cell(std::size_t row, const std::string& columnKey) const;
    // Whether the change is dated before today or applied: drawn in kPastStatusChangeColour.
    bool isPast(std::size_t row) const;
    // The font colour of a row: kPastStatusChangeColour for a past row, none (the grid's own) otherwise.
    std::optional<int> fontColour(std::size_t row) const;
    // The background of the other rows' cells: the store's edited-cell colour
    // (ui/EditedCellColour), read at every call; none for a past row.
    std::optional<int> backgroundColour(std::size_t row) const;
    // Whether the window holds edits not saved.
    bool isModified() const { return modified_; }

    // "Dodaj": the product (read by its id, a group refused) gets a new
    // change on the day, planning the status it has now; its row number.
    std::size_t add(int productId, int changeDate);
    // The status and day editors. A day before today is refused with "Nie
    // można ustawić daty z przeszłości"; today is accepted.
    void setStatus(std::size_t row, int status);
    void setChangeDate(std::size_t row, int changeDate);
    // "Usuń": the change goes from the grid; the save deletes it from the store.
    void remove(std::size_t row);
    // "Zapisz": writes the edits in one transaction and loads the changes
    // again. A failure stores nothing, keeps the edits and is reported as
    // "Nieznany błąd podczas zapisu wartości." (its cause to the debug log).
    void save();
    // "Odśwież": with edits not saved asks whether to drop them; true when the changes were loaded again.
    bool refresh();
    // "Znajdź tekst": the first row from `from` on with a cell holding the
    // text, letters compared without regard to case; none when no row has it.
    std::optional<std::size_t> findText(const std::string& text, std::size_t from = 0) const;
    // "Wyjście": with edits not saved asks whether to leave; true when the window may close.
    bool close();

private:
    void load();
    Orvel::Products::StatusChange& editable(std::size_t row);
    void requireFreeDay(int productId, int changeDate, const Orvel::Products::StatusChange* except) const;

    TSessionHolder session_;
    Orvel::Products::StatusChanges changes_;
    bool modified_ = false;
};

}  // namespace Towary::ProductTools

TOWARY_EXPORT void registerStatusChangeBrowserObjects(Core::Registrations& registrations);
