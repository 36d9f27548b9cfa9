#include "Modules/Towary/Tools/plu/CheckPluMenuAction.h"

#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Modules/Towary/Tools/plu/M_clsSprawdzeniePoprawnosciPLU.h"
#include "Modules/Towary/Tools/plu/PluReport.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "Modules/Towary/Tools/plu/UpdatePlu.h"

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

}  // namespace

std::string CheckPluMenuAction::guid() const { return kCheckPluMenuActionGuid; }

Core::IUnknownPtr CheckPluMenuAction::execute(const Core::IUnknownPtr&) {
    result_ = {};
    TSessionHolder session;
    result_ = checkPlu(session);
    if (result_.empty()) {
        Core::WarnMsgBox("Nie znaleziono błędnych kodów plu.");
        return {};
    }
    const bool accepted =
        Core::TBaseTextViewer(viewer("Poniższe towary mają nieprawidłowe plu", "Nieprawidłowe plu", menuReport(result_)));
    if (!accepted || (result_.toDelete.empty() && result_.toCorrect.empty())) return {};
    if (!Core::AskMsgBox("Czy chcesz usunąć lub poprawić wszystkie błędne kody ?")) return {};

    DBKernel::TransactionGuard transaction(session);
    DeletePlu deletion(session);
    deletion.apply(result_.toDelete);
    RepairPlu repair(session);
    repair.apply(result_.toCorrect);
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
