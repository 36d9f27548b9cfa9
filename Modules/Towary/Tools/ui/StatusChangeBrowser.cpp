#include "Modules/Towary/Tools/ui/StatusChangeBrowser.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/Debug/Debug.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/PolishText.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/ui/EditedCellColour.h"

#include <boost/format.hpp>

#include <chrono>
#include <stdexcept>
#include <utility>

namespace Towary::ProductTools {
namespace {

using Orvel::Products::StatusChange;

// Opens the window on a session of its own.
class OpenStatusChangeBrowser : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        return std::make_shared<StatusChangeBrowser>(TSessionHolder::open());
    }
};

// "yyyy-mm-dd hh:nn:ss".
std::string timeOfDayText(double time) {
    const auto local = Core::DayNumber::toDateTime(time);
    const std::chrono::hh_mm_ss clock(
        std::chrono::floor<std::chrono::seconds>(local - std::chrono::floor<std::chrono::days>(local)));
    return Core::DayNumber::toText(time) + (boost::format(" %02d:%02d:%02d") % clock.hours().count() %
                                            clock.minutes().count() % clock.seconds().count())
                                               .str();
}

void refusePastDay(int changeDate) {
    if (changeDate < Core::DayNumber::today()) throw Sysutils::Exception("Nie można ustawić daty z przeszłości");
}

}  // namespace

StatusChangeBrowser::StatusChangeBrowser(TSessionHolder session) : session_(std::move(session)) { load(); }

StatusChangeBrowser::~StatusChangeBrowser() = default;

const std::vector<Core::TGridColumn>& StatusChangeBrowser::columns() {
    static const std::vector<Core::TGridColumn> all = {
        {"ProductIndex", "Indeks towaru"}, {"ProductName", "Nazwa towaru"}, {"Status", "Status"},
        {"ChangeDate", "Data zmiany"},     {"Applied", "Wykonano"},         {"Modified", "Zmodyfikowano"}};
    return all;
}

const std::vector<StatusChangeBrowser::Action>& StatusChangeBrowser::actions() {
    static const std::vector<Action> all = {{"Dodaj", ""},        {"Usuń", ""},          {"Zapisz", ""},
                                            {"Odśwież", "F5"},    {"Znajdź tekst", "F7"}, {"Wyjście", ""}};
    return all;
}

std::string StatusChangeBrowser::statusName(int status) {
    const auto* name = Core::SingletonImplHolder::get<Core::ProductActivityStatuses>().name(status);
    return name != nullptr ? *name : "<nieznany>";
}

std::string StatusChangeBrowser::cell(std::size_t row, const std::string& columnKey) const {
    const auto& change = *changes_.at(row);
    if (columnKey == "ProductIndex") return change.productIndex;
    if (columnKey == "ProductName") return change.productName;
    if (columnKey == "Status") return statusName(change.status);
    if (columnKey == "ChangeDate") return Core::DayNumber::toText(change.changeDate);
    if (columnKey == "Applied") return change.applied ? "tak" : "nie";
    if (columnKey == "Modified") return change.id == 0 ? std::string() : timeOfDayText(change.modifiedAt);
    throw std::logic_error("Okno planowania zmiany statusu nie ma kolumny " + columnKey + ".");
}

bool StatusChangeBrowser::isPast(std::size_t row) const {
    const auto& change = *changes_.at(row);
    return change.applied || change.changeDate < Core::DayNumber::today();
}

std::optional<int> StatusChangeBrowser::fontColour(std::size_t row) const {
    if (isPast(row)) return kPastStatusChangeColour;
    return std::nullopt;
}

std::optional<int> StatusChangeBrowser::backgroundColour(std::size_t row) const {
    if (isPast(row)) return std::nullopt;
    return editedCellColour();
}

void StatusChangeBrowser::load() {
    changes_ = Orvel::Products::StatusChangeDao().load(session_);
    modified_ = false;
}

StatusChange& StatusChangeBrowser::editable(std::size_t row) {
    auto& change = *changes_.at(row);
    if (change.applied)
        throw Sysutils::Exception((boost::format("Zmiana statusu towaru %1% na dzień %2% została już wykonana; "
                                                 "wykonanej zmiany nie zmienia się.") %
                                   change.productId % Core::DayNumber::toText(change.changeDate))
                                      .str());
    return change;
}

void StatusChangeBrowser::requireFreeDay(int productId, int changeDate, const StatusChange* except) const {
    for (const auto& change : changes_.items())
        if (change.get() != except && change->productId == productId && change->changeDate == changeDate)
            throw Sysutils::Exception((boost::format("Towar %1% (%2%) ma już zaplanowaną zmianę statusu na dzień "
                                                     "%3%: zmień status tamtej zmiany.") %
                                       productId % change->productName % Core::DayNumber::toText(changeDate))
                                          .str());
}

std::size_t StatusChangeBrowser::add(int productId, int changeDate) {
    refusePastDay(changeDate);
    std::shared_ptr<StatusChange> change;
    {
        DBKernel::Sql::OpenedQuery product(
            (boost::format("select ltowarref, sartindex, snazwa, nstatusaktywnosci\nfrom towar where ltowarref = %1%") %
             productId)
                .str(),
            session_);
        if (product.empty())
            throw Sysutils::Exception((boost::format("Nie ma towaru o identyfikatorze %1%.") % productId).str());
        change = std::make_shared<StatusChange>(StatusChange{0, productId, product["sartindex"].asString(),
                                                             product["snazwa"].asString(),
                                                             product["nstatusaktywnosci"].asInt(), changeDate, false,
                                                             0.0, true});
    }
    DBKernel::Sql::PreparedQuery level("select byCode from towar where lTowarRef = :id", session_);
    level.Params["id"] = productId;
    level.execute();
    if (level["byCode"].isNull() || level["byCode"].asInt() != Towar::tcTowar)
        throw Sysutils::Exception((boost::format("Wiersz \"%1%\" (%2%) nie jest towarem: status aktywności planuje "
                                                 "się tylko dla towaru, nie grupy.") %
                                   productId % change->productName)
                                      .str());
    requireFreeDay(productId, changeDate, nullptr);
    changes_.add(std::move(change));
    modified_ = true;
    return changes_.size() - 1;
}

void StatusChangeBrowser::setStatus(std::size_t row, int status) {
    auto& change = editable(row);
    if (!Core::SingletonImplHolder::get<Core::ProductActivityStatuses>().contains(status))
        throw Sysutils::Exception((boost::format("Status %1% nie występuje na liście statusów aktywności towarów "
                                                 "(tabela statusaktywnosci).") %
                                   status)
                                      .str());
    change.status = status;
    change.edited = true;
    modified_ = true;
}

void StatusChangeBrowser::setChangeDate(std::size_t row, int changeDate) {
    auto& change = editable(row);
    refusePastDay(changeDate);
    requireFreeDay(change.productId, changeDate, &change);
    change.changeDate = changeDate;
    change.edited = true;
    modified_ = true;
}

void StatusChangeBrowser::remove(std::size_t row) {
    changes_.remove(changes_.at(row));
    modified_ = true;
}

void StatusChangeBrowser::save() {
    try {
        Orvel::Products::StatusChangeDao().save(changes_, session_);
    } catch (const std::exception& e) {
        Core::Debug::logLine(std::string("Zapis planowanych zmian statusu nie powiódł się: ") + e.what(),
                             {"Modules/Towary/Tools/StatusChangeBrowser", __LINE__, "StatusChangeBrowser::save"});
        throw Sysutils::Exception("Nieznany błąd podczas zapisu wartości.");
    }
    load();
}

bool StatusChangeBrowser::refresh() {
    if (modified_ && !Core::AskMsgBox("Wprowadzone zmiany nie zostaną zachowane. Czy odświeżyć?")) return false;
    load();
    return true;
}

std::optional<std::size_t> StatusChangeBrowser::findText(const std::string& text, std::size_t from) const {
    const auto sought = Core::PolishText::toLower(text);
    for (std::size_t row = from; row < changes_.size(); ++row)
        for (const auto& column : columns())
            if (Core::PolishText::toLower(cell(row, column.key)).find(sought) != std::string::npos) return row;
    return std::nullopt;
}

bool StatusChangeBrowser::close() {
    if (modified_ && !Core::AskMsgBox("Wprowadzone zmiany nie zostaną zachowane. Czy opuścić edycję?")) return false;
    changes_ = {};
    modified_ = false;
    return true;
}

}  // namespace Towary::ProductTools

void registerStatusChangeBrowserObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/StatusChangeBrowser", __LINE__,
                               "registerStatusChangeBrowserObjects"};
    registrations.add(Core::regActionCreator(Towary::ProductTools::kStatusChangeBrowserGuid,
                                             Core::creatorOf<Towary::ProductTools::OpenStatusChangeBrowser>(), source),
                      source);
}
