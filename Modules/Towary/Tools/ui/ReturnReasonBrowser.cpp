#include "Modules/Towary/Tools/ui/ReturnReasonBrowser.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/CStatus.h"
#include "Core/Database/DatabaseError.h"
#include "Core/Database/Sql.h"
#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/ReturnReasons/ReturnReasonsToTills.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/ui/ReturnReasonRules.h"

#include <boost/format.hpp>

#include <utility>

namespace Towary::ProductTools {
namespace {

std::shared_ptr<ReturnReasons::ReturnReasonDao> dao() {
    return Orvel::Dao::DaoFactory::instance().create<ReturnReasons::ReturnReasonDao>(
        ReturnReasons::ReturnReasonDao::kName);
}

// Opens the window on a session of its own.
class DefaultAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        return std::make_shared<ReturnReasonBrowser>(TSessionHolder::open());
    }
};

}  // namespace

ReturnReasonBrowser::ReturnReasonBrowser(TSessionHolder session) : session_(std::move(session)) { load(); }

ReturnReasonBrowser::~ReturnReasonBrowser() = default;

const std::vector<Core::TGridColumn>& ReturnReasonBrowser::columns() {
    static const std::vector<Core::TGridColumn> all = {{"ReturnReason", "Powód zwrotu"},
                                                       {"Shortcut", "Skrót powodu zwrotu"}};
    return all;
}

std::optional<int> ReturnReasonBrowser::fontColour(std::size_t index) const {
    if (reasons_.at(index).deleted) return kDeletedReasonColour;
    return std::nullopt;
}

void ReturnReasonBrowser::load() {
    try {
        if (!lock_) lock_ = session_.session().lockName("ReturnReason");
        DBKernel::TransactionGuard reading(session_);
        auto reasons = dao()->load(session_, Orvel::Dao::Parameters().set("lockForUpdate", true));
        reading.commit();
        reasons_ = std::move(reasons);
        modified_ = false;
    } catch (const DBKernel::DatabaseError& e) {
        if (!e.busy()) throw;
        throw Sysutils::Exception(
            "Powodów zwrotów nie można teraz edytować: sklep trzyma inne okno powodów zwrotów albo inne polecenie "
            "towary, które w nim zapisuje. Poczekaj, aż zapisze lub anuluje zmiany, i spróbuj ponownie.");
    }
}

void ReturnReasonBrowser::requireLock() const {
    if (!lock_)
        throw Sysutils::Exception(
            "Okno nie trzyma listy powodów zwrotów, więc jej nie zmieni: wczytaj ją ponownie (Wycofaj).");
}

ReturnReasons::ReturnReason& ReturnReasonBrowser::row(std::size_t index) {
    requireLock();
    return reasons_.at(index);
}

std::size_t ReturnReasonBrowser::add() {
    requireLock();
    reasons_.emplace_back();
    modified_ = true;
    return reasons_.size() - 1;
}

void ReturnReasonBrowser::editText(std::size_t index, const std::string& text) {
    auto& reason = row(index);
    // Kept composed, so that a text typed with combining marks is one text with its composed twin.
    auto composed = Core::Utf8::composed(text);
    checkReturnReasonText(composed);
    reason.text = std::move(composed);
    modified_ = true;
}

void ReturnReasonBrowser::editShortcut(std::size_t index, const std::string& shortcut) {
    auto& reason = row(index);
    checkReturnReasonShortcut(shortcut);
    reason.shortcut = shortcut;
    modified_ = true;
}

bool ReturnReasonBrowser::remove(std::size_t index) {
    auto& reason = row(index);
    if (!Core::AskMsgBox(boost::str(boost::format("Czy na pewno chcesz usunąć powód zwrotu '%1%'?") % reason.text)))
        return false;
    reason.deleted = true;
    modified_ = true;
    return true;
}

void ReturnReasonBrowser::restore(std::size_t index) {
    auto& reason = row(index);
    if (!reason.deleted) return;
    reason.deleted = false;
    modified_ = true;
}

void ReturnReasonBrowser::save() {
    requireLock();
    validateReturnReasons(reasons_);
    try {
        lock_->check();
    } catch (const DBKernel::DatabaseError&) {
        // Another editor may hold the list now: writing over it could undo what that one saves.
        lock_.reset();
        throw Sysutils::Exception(
            "Okno straciło blokadę listy powodów zwrotów (połączenie z serwerem bazy danych zostało przerwane), "
            "więc jej nie zapisało: wczytaj listę ponownie (Wycofaj) i wprowadź zmiany jeszcze raz.");
    }
    dao()->save(reasons_, session_);
    modified_ = false;
}

void ReturnReasonBrowser::sendToTills() {
    const auto status = Core::Action::CContainer::invoke<Core::CStatus>(
        kReturnReasonBrowserMenuItem, ReturnReasons::kSendReturnReasonsGuid, nullptr);
    if (!status) throw Sysutils::Exception("Nie wysłano powodów zwrotów do kas.");
    if (!status->isSuccess()) throw Sysutils::Exception(status->message());
    Core::InfoMsgBox("Pomyślnie wysłano powody zwrotów do kas.");
}

bool ReturnReasonBrowser::close() {
    if (modified_ && !Core::AskMsgBox("Lista powodów zgłoszeń została zmieniona.\nCzy anulować zmiany?")) return false;
    lock_.reset();
    reasons_.clear();
    modified_ = false;
    return true;
}

}  // namespace Towary::ProductTools

void registerReturnReasonBrowserObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/ReturnReasonBrowser", __LINE__,
                               "registerReturnReasonBrowserObjects"};
    registrations.add(Core::regActionCreator(Towary::ProductTools::kReturnReasonBrowserGuid,
                                             Core::creatorOf<Towary::ProductTools::DefaultAction>(), source),
                      source);
}
