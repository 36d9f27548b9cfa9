// The actions of planned VAT changes that a person starts: today's changes
// after a question, the plan dialog and the PKWiU list import.

#include "Modules/Towary/Tools/prices/VatChangeActions.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "Modules/Towary/Tools/prices/PkwiuVatPlan.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace Towar {
namespace {

class ChangeVatAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        if (!Core::AskMsgBox("Wykonać zmiany stawek VAT zaplanowane na dzisiaj?")) return {};
        std::ostringstream log;
        const auto arguments =
            std::make_shared<Core::SessionDayStreamArgument>(TSessionHolder::open(), Core::DayNumber::today(), log);
        const auto result = Core::Action::CContainer::invoke<Core::IStatusGetter>(*this, kVatMainMenuGuid, arguments);
        Core::InfoMsgBox(result ? result->getStatus() : log.str());
        return {};
    }
};

class PlanChangeVatAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        std::vector<Core::CCheckBoxOption> options{{"Nadpisz zaplanowane wcześniej zmiany stawek", false, "OVERWRITE"}};
        if (!Core::TMultiOptionsMsgBox("Pytanie...", "Zaplanować zmiany stawek VAT?", options)) return {};
        bool overwrite = false;
        if (options.front().checked)
            overwrite = Core::AskMsgBox(
                "Czy na pewno chcesz usunąć wcześniej zaplanowane zmiany stawek VAT dla wszystkich towarów w bazie?");
        TSessionHolder session = TSessionHolder::open();
        DBKernel::TransactionGuard transaction(session);
        planVatRatesChange(session, overwrite);
        transaction.commit();
        return {};
    }
};

class ChangeVatByPKWiUAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        const auto file = Core::TdlgOpen("Wybierz plik z listą PKWiU");
        if (!file) return {};
        std::ifstream in(*file, std::ios::binary);
        if (!in) throw std::runtime_error("Błąd podczas odczytu pliku: " + file->string());
        TSessionHolder session = TSessionHolder::open();
        DBKernel::TransactionGuard transaction(session);
        std::ostringstream summary;
        const int total = planVatChangesFromPkwiuList(in, session, &summary);
        // A path that opens but cannot be read (a folder, a failing disk) ends the reading like the end of
        // the file: the list is refused rather than taken as shorter than it is.
        if (in.bad()) throw std::runtime_error("Błąd podczas odczytu pliku: " + file->string());
        if (const auto stream = std::dynamic_pointer_cast<Core::IOStreamGetter>(args))
            stream->getStream() << summary.str() << std::flush;
        if (total == 0) {
            Core::InfoMsgBox("Nie znaleziono towarów dla kodów PKWiU z pliku.");
            return {};
        }
        if (Core::AskMsgBox("Zmieniono stawki VAT dla " + std::to_string(total) + " towarów. Zachować zmiany?"))
            transaction.commit();
        return {};
    }
};

}  // namespace
}  // namespace Towar

void registerVatModifierFuncObjects(Core::Registrations& registrations) {
    using namespace Towar;
    const Core::SrcInfo source{"Modules/Towary/Tools/VatModifierFunc", __LINE__, "registerVatModifierFuncObjects"};
    registrations.add(Core::regActionCreator(kChangeVatGuid, Core::creatorOf<ChangeVatAction>(), source), source);
    registrations.add(Core::regActionCreator(kPlanChangeVatGuid, Core::creatorOf<PlanChangeVatAction>(), source),
                      source);
    registrations.add(Core::regActionCreator(kChangeVatByPkwiuGuid, Core::creatorOf<ChangeVatByPKWiUAction>(), source),
                      source);
}
