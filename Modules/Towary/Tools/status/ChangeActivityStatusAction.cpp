#include "Modules/Towary/Tools/status/ChangeActivityStatusAction.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/EveningProcessing/FireEnabledAction.h"

#include <string>
#include <vector>

namespace Towar {
namespace {

constexpr int kGroupingRowType = 9;  // the grouping row of a multi-price group
constexpr int kWithdrawing = 4;
constexpr int kWithdrawingSeasonal = 8;
constexpr int kWithdrawn = 5;

class ChangeActivityStatusAction : public EveningProcessing::OdczytWieczornyAction {
public:
    bool canRunFromFire() const override { return EveningProcessing::FireEnabledAction::canRunOnDemand(); }

protected:
    void doExecute() override {
        const TSessionHolder session = this->session();
        DBKernel::Sql::OpenedQuery indexes(
            "\n select nvl(tg.sArtIndex, t.sArtIndex) productIndex\n from towar t,\n (\n \tselect sArtIndex, sGrIndex "
            "from towar where byTyp = " +
                std::to_string(kGroupingRowType) +
                "\n ) tg\n where t.sGrIndex = tg.sGrIndex(+)\n \tand t.nStatusAktywnosci in (" +
                std::to_string(kWithdrawing) + ", " + std::to_string(kWithdrawingSeasonal) +
                ")\n group by nvl(tg.sArtIndex, t.sArtIndex)",
            session);
        DBKernel::Sql::PreparedQuery stock(
            "\n select sum(nvl(s.dStan, 0)) stock\n from stn s, towar t\n where t.sArtIndex like :productIndex || "
            "'%'\n \tand t.lTowarRef = s.lTowarRef\n \tand t.dLastStnDate = s.data",
            session);
        DBKernel::Sql::Command withdraw("\n update towar\n set nStatusAktywnosci = " + std::to_string(kWithdrawn) +
                                            "\n where sArtIndex like :productIndex || '%'",
                                        session);
        while (indexes.next()) {
            const std::string index = indexes["productIndex"].asString();
            stock.Params["productIndex"] = index;
            stock.execute();
            if (!stock.empty() && stock["stock"].asInt64() == 0) {
                withdraw.Params["productIndex"] = index;
                withdraw.execute();
            }
        }
    }
};

}  // namespace
}  // namespace Towar

void registerActivityStatusChangeActionObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/ActivityStatusChangeAction", __LINE__,
                               "registerActivityStatusChangeActionObjects"};
    registrations.add(Core::regActionCreator(Towar::kChangeActivityStatusActionGuid,
                                             Core::creatorOf<Towar::ChangeActivityStatusAction>(), source),
                      source);
}
