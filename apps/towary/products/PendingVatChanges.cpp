#include "apps/towary/products/PendingVatChanges.h"

#include "Core/Database/Query.h"

namespace Towary::Host::Products {
namespace {

// A VAT code with its rate's name: a bare code such as 13 reads as a percentage.
std::string rateText(const DBKernel::Sql::Field& code, const DBKernel::Sql::Field& name) {
    if (code.isNull()) return "";
    return code.asString() + " (" + (name.isNull() ? "brak na liście stawek" : name.asString()) + ")";
}

}  // namespace

std::vector<PendingVatChange> pendingVatChanges(const TSessionHolder& session) {
    DBKernel::Sql::OpenedQuery pending(
        "select zv.ltowarref, t.sArtIndex, t.sNazwa, zv.ddata, t.byvat VatFrom, sf.sNazwa NameFrom, zv.byvat VatTo, "
        "st.sNazwa NameTo from zmianavat zv join towar t on zv.ltowarref = t.ltowarref "
        "left join stawkavat sf on sf.byVAT = t.byvat left join stawkavat st on st.byVAT = zv.byvat "
        "where zv.bapplied = 0 or zv.bapplied is null order by zv.ddata, zv.ltowarref",
        session);
    std::vector<PendingVatChange> changes;
    while (pending.next())
        changes.push_back({pending["ltowarref"].asInt64(), pending["sArtIndex"].asString(), pending["sNazwa"].asString(),
                           pending["ddata"].asInt(), rateText(pending["VatFrom"], pending["NameFrom"]),
                           rateText(pending["VatTo"], pending["NameTo"])});
    return changes;
}

}  // namespace Towary::Host::Products
