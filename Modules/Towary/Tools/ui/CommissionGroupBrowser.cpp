#include "Modules/Towary/Tools/ui/CommissionGroupBrowser.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace Towary::ProductTools {
namespace {

std::shared_ptr<Towar::CommissionGroupDao> dao() {
    return Orvel::Dao::DaoFactory::instance().create<Towar::CommissionGroupDao>(Towar::CommissionGroupDao::kName);
}

// Opens the window on a session of its own.
class DefaultAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        return std::make_shared<CommissionGroupBrowser>(TSessionHolder::open());
    }
};

}  // namespace

CommissionGroupBrowser::CommissionGroupBrowser(TSessionHolder session)
    : session_(std::move(session)), groups_(dao()->load(session_)) {}

CommissionGroupBrowser::~CommissionGroupBrowser() = default;

const std::vector<Core::TGridColumn>& CommissionGroupBrowser::columns() {
    using Align = Core::TGridColumn::Align;
    static const std::vector<Core::TGridColumn> all = {{"COMMISSIONNUMBER", "Numer grupy", Align::Right},
                                                       {"NAME", "Nazwa"},
                                                       {"COMMISSIONVALUE", "Wartość prowizji", Align::Right},
                                                       {"DATEFROM", "Początek obowiązywania"}};
    return all;
}

std::string CommissionGroupBrowser::cell(std::size_t row, const std::string& columnKey) const {
    const auto& group = *groups_.at(row);
    if (columnKey == "COMMISSIONNUMBER") return std::to_string(group.commissionNumber);
    if (columnKey == "NAME") return group.name;
    if (columnKey == "COMMISSIONVALUE") return boost::str(boost::format("%.2f") % group.commissionValue);
    if (columnKey == "DATEFROM") return Core::DayNumber::toText(group.dateFrom);
    throw std::logic_error("Okno grup prowizyjnych nie ma kolumny " + columnKey + ".");
}

CommissionGroupBrowser::Removal CommissionGroupBrowser::remove(std::size_t row) {
    const auto group = groups_.at(row);
    if (!Core::AskMsgBox(boost::str(boost::format("Czy na pewno chcesz usunąć grupę '%1%'?") % group->name)))
        return Removal::Declined;
    DBKernel::Sql::OpenedQuery recipients(
        std::string("SELECT count(*) howMany FROM CommissionGroupRecipient ") + "WHERE CommissionGroupId = " +
            std::to_string(group->id),
        session_);
    if (recipients["howMany"].asInt64() != 0) {
        Core::WarnMsgBox("Istnieją odbiorcy powiązani z grupą prowizyjną!\n\nUsunięcie nie powiodło się.");
        return Removal::HasRecipients;
    }
    groups_.remove(group);
    return Removal::Removed;
}

void CommissionGroupBrowser::save() {
    dao()->save(groups_, session_);
    groups_ = dao()->load(session_);
}

}  // namespace Towary::ProductTools

void registerCommissionGroupBrowserObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/CommissionGroupBrowser", __LINE__,
                               "registerCommissionGroupBrowserObjects"};
    registrations.add(Core::regActionCreator(Towary::ProductTools::kCommissionGroupBrowserGuid,
                                             Core::creatorOf<Towary::ProductTools::DefaultAction>(), source),
                      source);
}
