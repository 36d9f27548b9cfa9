// The actions that carry out planned VAT changes: the evening step, the menu
// action, the changes of a given day, and the export that always refuses.

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/EveningProcessing/FireEnabledAction.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "Modules/Towary/Tools/prices/ShortNameRenaming.h"
#include "Modules/Towary/Tools/prices/VatChangeActions.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace Towar {
namespace {

constexpr const char* kPlanning =
    "Planowanie zmiany stawki VAT dla towarów, które nie posiadają zdefiniowanej zmiany stawki.";

class EveningProcessingAction : public EveningProcessing::OdczytWieczornyAction {
public:
    bool canRunFromFire() const override { return EveningProcessing::FireEnabledAction::canRunOnDemand(); }

protected:
    void doExecute() override {
        TSessionHolder session = this->session();
        const int day = processingDay();
        DBKernel::TransactionGuard transaction(session);
        if (day == kVatChangeEve) {
            log(kPlanning);
            planVatRatesChange(session, false);
        }
        // The log takes lines: the text without its last line break.
        auto modified = CVATModifier(session).modify(day);
        if (!modified.empty() && modified.back() == '\n') modified.pop_back();
        log(modified);
        if (day == kVatChangeEve && networkRenamesShortNames()) log(renameShortNames(session));
        transaction.commit();
    }
};

// The session of the argument, or the main session when it carries none.
TSessionHolder sessionOf(const Core::IUnknownPtr& args) {
    const auto getter = std::dynamic_pointer_cast<DBKernel::ISessionHolderGetter>(args);
    return getter ? getter->getSessionHolder() : TSessionHolder();
}

class MainMenuAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        TSessionHolder session = sessionOf(args);
        const auto date = std::dynamic_pointer_cast<Core::IDateGetter>(args);
        const int day = date ? date->getDate() : Core::DayNumber::today();
        const auto stream = std::dynamic_pointer_cast<Core::IOStreamGetter>(args);
        std::ostringstream text;
        const auto write = [&](const std::string& part) {
            text << part;
            if (stream) stream->getStream() << part << std::flush;
        };
        DBKernel::TransactionGuard transaction(session);
        write(std::string(kPlanning) + "\n");
        planVatRatesChange(session, false);
        write("Modyfikacja stawek VAT dla towarów...\n");
        write(CVATModifier(session).modify(day));
        if (networkRenamesShortNames()) write(renameShortNames(session) + "\n");
        transaction.commit();
        return std::make_shared<Core::StatusResult>(text.str());
    }
};

class FireAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        const auto date = Core::interface_cast<Core::IDateGetter>(args);
        if (!date) throw Core::castError();
        return std::make_shared<Core::StatusResult>(CVATModifier(sessionOf(args)).modify(date->getDate()));
    }
};

class ExportAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        throw std::runtime_error("Próba wykonania eksportu z Centrali przy użyciu eksportera z Orvelu.");
    }
};

}  // namespace
}  // namespace Towar

void registerVatModifierObjects(Core::Registrations& registrations) {
    using namespace Towar;
    const Core::SrcInfo source{"Modules/Towary/Tools/CVATModifier", __LINE__, "registerVatModifierObjects"};
    registrations.add(Core::regActionCreator(kVatEveningStepGuid, Core::creatorOf<EveningProcessingAction>(), source),
                      source);
    registrations.add(Core::regActionCreator(kVatMainMenuGuid, Core::creatorOf<MainMenuAction>(), source), source);
    registrations.add(Core::regActionCreator(kVatFireGuid, Core::creatorOf<FireAction>(), source), source);
    registrations.add(Core::regActionCreator(kVatExportGuid, Core::creatorOf<ExportAction>(), source), source);
}
