#pragma once
// The commission-group window: the grid of the assortment's commission
// groups, opened by the action kCommissionGroupBrowserGuid (its result is
// the window). A group is deleted from the focused row once the user agrees
// and no recipient is tied to it; saving deletes the removed groups from the
// store.

#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"
#include "Core/Products/CommissionGroupDao.h"
#include "Core/registration/Registrations.h"

#include <string>
#include <vector>

namespace Towary::ProductTools {

inline constexpr const char* kCommissionGroupBrowserGuid = "{7BC7748E-ADAB-4C3C-8621-53EDE2CB17E8}";
// The host's menu item the window belongs to (and the user's rights on it).
inline constexpr const char* kCommissionGroupBrowserMenuItem = ".miSpisy.miCommissionGroupBrowser";

class TOWARY_EXPORT CommissionGroupBrowser : public virtual Core::IUnknown {
public:
    // Opens the window on the session: loads the groups.
    explicit CommissionGroupBrowser(TSessionHolder session);
    ~CommissionGroupBrowser() override;

    // The grid's columns: "Numer grupy" ("COMMISSIONNUMBER"), "Nazwa" ("NAME"),
    // "Wartość prowizji" ("COMMISSIONVALUE"), "Początek obowiązywania" ("DATEFROM").
    static const std::vector<Core::TGridColumn>& columns();

    const Towar::CommissionGroups& groups() const { return groups_; }
    // A cell as the grid shows it: the start day as "yyyy-mm-dd", the value with two decimals.
    std::string cell(std::size_t row, const std::string& columnKey) const;
    // Whether groups were removed and not yet saved.
    bool isModified() const { return !groups_.removed().empty(); }

    enum class Removal { Removed, Declined, HasRecipients };
    // The delete command on the focused row: asks, then removes the group
    // unless recipients are tied to it (the user is told so).
    Removal remove(std::size_t row);
    // Deletes the removed groups from the store, all or none, and loads the groups again.
    void save();

private:
    TSessionHolder session_;
    Towar::CommissionGroups groups_;
};

}  // namespace Towary::ProductTools

TOWARY_EXPORT void registerCommissionGroupBrowserObjects(Core::Registrations& registrations);
