#include "Modules/Towary/Tools/status/StatusChangeAction.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/EveningProcessing/FireEnabledAction.h"

#include <boost/format.hpp>

#include <string>

namespace Towar {
namespace {

class StatusChangeAction : public EveningProcessing::OdczytWieczornyAction {
public:
    bool canRunFromFire() const override { return EveningProcessing::FireEnabledAction::canRunOnDemand(); }

protected:
    void doExecute() override {
        // Changes planned for tomorrow are applied in tonight's run.
        const int lastDay = processingDay() + 1;
        const TSessionHolder session = this->session();
        DBKernel::TransactionGuard transaction(session);
        DBKernel::Sql::OpenedQuery due(
            (boost::format("select\n\tstatuschangeid\n\t, productid\n\t, status newStatus\n\t, t.nstatusaktywnosci "
                           "oldStatus\nfrom\n\tstatuschange zv, towar t\nwhere\n\t(zv.productid, zv.changedate) "
                           "in\n\t(select\n\t\tproductid\n\t\t, max(changedate) ddata\n\tfrom\n\t\tstatuschange\n\twhe"
                           "re\n\t\tchangedate <= %1%\n\tgroup by\n\t\tproductid)\n\tand zv.productid = "
                           "t.ltowarref\n\tand (applied = 0 or applied is null)") %
             lastDay)
                .str(),
            session);
        DBKernel::Sql::Command update(
            "\n update towar set\n nstatusaktywnosci = :status\n where ltowarref = :productId", session);
        int count = 0;
        while (due.next()) {
            const auto newStatus = due["newStatus"];
            const auto oldStatus = due["oldStatus"];
            if (oldStatus.isNull() || newStatus.asInt64() != oldStatus.asInt64()) {
                update.Params["status"] = newStatus.asInt64();
                update.Params["productId"] = due["productid"].asInt64();
                update.execute();
            }
            ++count;
        }
        DBKernel::Sql::Command(
            (boost::format("update StatusChange set applied = 1\nwhere ChangeDate <= %1%") % lastDay).str(), session)
            .execute();
        log(count == 0 ? std::string("Nie zmieniono statusu żadnego towaru.")
                       : "Zmieniono status dla " + std::to_string(count) + " towarów.");
        transaction.commit();
    }
};

}  // namespace
}  // namespace Towar

void registerStatusChangeActionObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/StatusChangeAction", __LINE__,
                               "registerStatusChangeActionObjects"};
    registrations.add(
        Core::regActionCreator(Towar::kStatusChangeActionGuid, Core::creatorOf<Towar::StatusChangeAction>(), source),
        source);
}
