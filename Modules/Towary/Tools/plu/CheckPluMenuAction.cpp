#include "Modules/Towary/Tools/plu/CheckPluMenuAction.h"

#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/plu/PluReport.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "Modules/Towary/Tools/plu/UpdatePlu.h"

#include <unordered_map>

namespace PLU {
namespace {

constexpr int kCentralEuropeanCharset = 238;

Core::TBaseTextViewerArgs viewer(const std::string& description, const std::string& title, std::string text) {
    Core::TBaseTextViewerArgs args;
    args.description = description;
    args.title = title;
    args.identifier = ".miInne.miFunkSerwis.miValidatePLU";
    args.text = std::move(text);
    args.fontName = "Fixedsys";
    args.fixedPitch = true;
    args.charset = kCentralEuropeanCharset;
    return args;
}

Core::TBaseTextViewerArgs report(const PluCheckResult& result) {
    auto args = viewer("Poniższe towary mają nieprawidłowe plu", "Nieprawidłowe plu", menuReport(result));
    args.table = menuReportTable(result);
    return args;
}

// The entries of `current` the person saw in `shown`: the same row, text and
// correction, so a code another run repaired since the question is left out.
// Found by row id, as the check runs under the write lock and the list may be long.
PluInfoList stillShown(const PluInfoList& current, const PluInfoList& shown) {
    std::unordered_map<decltype(PluInfo::pluRef), const PluInfo*> seenByRow;
    for (const auto& seen : shown) seenByRow.emplace(seen->pluRef, seen.get());
    PluInfoList kept;
    for (const auto& entry : current)
        if (const auto seen = seenByRow.find(entry->pluRef);
            seen != seenByRow.end() && seen->second->plu == entry->plu && seen->second->corrected == entry->corrected)
            kept.push_back(entry);
    return kept;
}

}  // namespace

std::string CheckPluMenuAction::guid() const { return kCheckPluMenuActionGuid; }

Core::IUnknownPtr CheckPluMenuAction::execute(const Core::IUnknownPtr&) {
    result_ = {};
    TSessionHolder session;
    result_ = checkPlu(session);
    if (result_.nothingToDo()) {
        Core::WarnMsgBox("Nie znaleziono błędnych kodów plu.");
        // Texts that are no code are never changed, but staff still need to see them.
        if (!result_.notCodes.empty()) Core::TBaseTextViewer(report(result_));
        return {};
    }
    const bool accepted = Core::TBaseTextViewer(report(result_));
    if (!accepted || (result_.toDelete.empty() && result_.toCorrect.empty())) return {};
    if (!Core::AskMsgBox("Czy chcesz usunąć lub poprawić wszystkie błędne kody ?")) return {};

    // The transaction holds the store's write lock: the codes are checked again
    // under it, as another process may have changed them while the question
    // was open, and only what the person approved and still holds is applied.
    DBKernel::TransactionGuard transaction(session);
    const PluCheckResult current = checkPlu(session);
    DeletePlu deletion(session);
    deletion.apply(stillShown(current.toDelete, result_.toDelete));
    RepairPlu repair(session);
    repair.apply(stillShown(current.toCorrect, result_.toCorrect));
    transaction.commit();

    const std::size_t failures = deletion.failed().size() + repair.failed().size();
    if (failures == 0) return {};
    Core::InfoMsgBox("Liczba kodów nieusuniętych lub niepoprawionych z powodu powiązań: " + std::to_string(failures));
    Core::TBaseTextViewer(viewer("Kody plu powiązane z dokumentami lub cenami specjalnymi",
                                 "Nieusunięte lub niepoprawione plu",
                                 joinLines(pluLines(deletion.failed())) + joinLines(pluLines(repair.failed()))));
    return {};
}

}  // namespace PLU
