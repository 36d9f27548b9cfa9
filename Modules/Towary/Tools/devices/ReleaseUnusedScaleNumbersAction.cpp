#include "Modules/Towary/Tools/devices/ReleaseUnusedScaleNumbersAction.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/Query.h"
#include "Core/EveningProcessing/FireEnabledAction.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/Digits.h"

#include <boost/format.hpp>

#include <string>

namespace Towar {
namespace {

constexpr const char* kActionName = "Usuwanie nieużywanych numerów na wagach";
// More days than any store keeps products (a century), so the threshold stays a day number.
constexpr int kMostDays = 36525;

// Three columns, each right-aligned in 20 characters.
std::string line(const std::string& index, const std::string& section, const std::string& number) {
    return Core::padLeft(index, 20, ' ') + Core::padLeft(section, 20, ' ') + Core::padLeft(number, 20, ' ');
}

class ReleaseUnusedScaleNumbersAction : public EveningProcessing::FireEnabledAction {
public:
    ReleaseUnusedScaleNumbersAction() : FireEnabledAction(kActionName) {}

protected:
    void doExecute() override {
        const TSessionHolder session = this->session();
        DBKernel::TransactionGuard transaction(session);
        const int days = Core::Setup::valueInRange(
            Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
                {"Parametry programu", "Odczyt wieczorny", "Akcje", kActionName, "Liczba dni"}),
            0, kMostDays);
        const int threshold = processingDay() - days;
        DBKernel::Sql::OpenedQuery unused(
            (boost::format("\n select t.sartindex, t.nwagasekcja, t.nwagaplu, t.ltowarref\n from towar t\n where "
                           "(t.nwagasekcja is not null or t.nwagaplu is not null)\n and nvl(t.dataostsprzed, "
                           "nvl(t.czasutworzenia, borlandsysdate)) < %1%") %
             threshold)
                .str(),
            session);
        if (unused.empty()) {
            log("Brak nieużywanych numerów na wagach.");
        } else {
            log("Lista numerów na wadze do usunięcia:");
            log(line("indeks:", "sekcja:", "numer:"));
            DBKernel::Sql::Command release(
                "\n update towar t\n set t.nwagaplu = null, t.nwagasekcja = null\n where t.ltowarref = :ltowarref",
                session);
            while (unused.next()) {
                log(line(unused["sartindex"].asString(), unused["nwagasekcja"].asString(),
                         unused["nwagaplu"].asString()));
                release.Params["ltowarref"] = unused["ltowarref"].asInt64();
                release.execute();
            }
            transaction.commit();
        }
        setStatus(EveningProcessing::statusDone, "Usuwanie nieużywanych numerów na wagach zakończone poprawnie.");
    }
};

}  // namespace
}  // namespace Towar

void registerReleaseUnusedScaleNumbersActionObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/ReleaseUnusedScaleNumbersAction", __LINE__,
                               "registerReleaseUnusedScaleNumbersActionObjects"};
    registrations.add(Core::regActionCreator(Towar::kReleaseUnusedScaleNumbersActionGuid,
                                             Core::creatorOf<Towar::ReleaseUnusedScaleNumbersAction>(), source),
                      source);
}
