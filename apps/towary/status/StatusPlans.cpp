#include "apps/towary/status/StatusPlans.h"

#include "Core/Database/Sql.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/format.hpp>

#include <chrono>
#include <ostream>
#include <stdexcept>

namespace Towary::Host::StatusPlans {
namespace {

// A status as the window shows it: its value and name, "<nieznany>" off the list.
std::string statusText(int status) {
    const auto* name = Core::SingletonImplHolder::get<Core::ProductActivityStatuses>().name(status);
    return std::to_string(status) + " " + (name != nullptr ? *name : std::string("<nieznany>"));
}

// "yyyy-mm-dd hh:nn:ss", as the window shows the time of the last change.
std::string timeText(double time) {
    const auto local = Core::DayNumber::toDateTime(time);
    const std::chrono::hh_mm_ss clock(
        std::chrono::floor<std::chrono::seconds>(local - std::chrono::floor<std::chrono::days>(local)));
    return Core::DayNumber::toText(time) + (boost::format(" %02d:%02d:%02d") % clock.hours().count() %
                                            clock.minutes().count() % clock.seconds().count())
                                               .str();
}

}  // namespace

std::string plan(const std::string& product, int status, const std::string& day, TSessionHolder session) {
    const int changeDay = Core::DayNumber::fromText(day);
    if (changeDay < Core::DayNumber::today()) throw std::runtime_error("Nie można ustawić daty z przeszłości");
    if (!Core::SingletonImplHolder::get<Core::ProductActivityStatuses>().contains(status))
        throw std::runtime_error((boost::format("Status %1% nie występuje na liście statusów aktywności towarów "
                                                "(tabela statusaktywnosci).") %
                                  status)
                                     .str());
    DBKernel::TransactionGuard transaction(session);
    const auto towar = findProduct(product, session, "status aktywności planuje się tylko dla towaru, nie grupy.");
    const auto id = towar->GetTowarRef();
    DBKernel::Sql::PreparedQuery planned(
        "select statuschangeid, applied from StatusChange where productid = :product and changedate = :day", session);
    planned.Params["product"] = id;
    planned.Params["day"] = changeDay;
    planned.execute();
    if (!planned.empty() && planned["applied"].asInt64() == 1)
        throw std::runtime_error((boost::format("Zmiana statusu towaru %1% na dzień %2% została już wykonana; "
                                                "wykonanej zmiany nie zmienia się.") %
                                  id % day)
                                     .str());
    const std::string statement =
        planned.empty() ? "insert into StatusChange (statuschangeid, productid, status, changedate, applied, czasMod)"
                          " values (newref, :product, :status, :day, 0, :time)"
                        : "update StatusChange set status = :status, czasMod = :time"
                          " where productid = :product and changedate = :day";
    planned.close();
    DBKernel::Sql::Command write(statement, session);
    write.Params["product"] = id;
    write.Params["status"] = status;
    write.Params["day"] = changeDay;
    write.Params["time"] = Core::DayNumber::now();
    write.execute();
    transaction.commit();
    return (boost::format("Towar %1% (%2%): status %3% od %4%.") % id % towar->GetNazwa() % statusText(status) % day)
        .str();
}

void list(bool all, std::ostream& out, TSessionHolder session) {
    DBKernel::Sql::PreparedQuery rows(
        "select z.statuschangeid, t.sartindex, t.snazwa, z.status, z.changedate, z.applied, z.czasMod"
        " from StatusChange z, towar t where t.ltowarref = z.productid"
        " and (:all = 1 or (nvl(z.applied, 0) = 0 and z.changedate >= :today))"
        " order by z.changedate, t.sartindex, z.statuschangeid",
        session);
    rows.Params["all"] = all ? 1 : 0;
    rows.Params["today"] = Core::DayNumber::today();
    rows.execute();
    out << "Id\tIndeks towaru\tNazwa towaru\tStatus\tData zmiany\tWykonano\tZmodyfikowano\n";
    while (rows.next())
        out << rows["statuschangeid"].asInt64() << '\t' << rows["sartindex"].asString() << '\t'
            << rows["snazwa"].asString() << '\t' << statusText(rows["status"].asInt()) << '\t'
            << Core::DayNumber::toText(rows["changedate"].asDouble()) << '\t'
            << (rows["applied"].asInt64() == 1 ? "tak" : "nie") << '\t' << timeText(rows["czasMod"].asDouble()) << '\n';
}

void remove(int id, TSessionHolder session) {
    DBKernel::Sql::Command deletion("delete from StatusChange where statuschangeid = :id", session);
    deletion.Params["id"] = id;
    if (deletion.execute() == 0)
        throw std::runtime_error(
            (boost::format("Nie ma zaplanowanej zmiany statusu o identyfikatorze %1%.") % id).str());
}

}  // namespace Towary::Host::StatusPlans
