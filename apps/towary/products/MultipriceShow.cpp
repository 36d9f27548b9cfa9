#include "apps/towary/products/MultipriceShow.h"

#include "Core/Database/Query.h"
#include "Core/Price/Price.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/products/ProductArgument.h"

#include <stdexcept>

namespace Towary::Host::Products {
namespace {

std::string codesOf(std::int64_t product, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by lPluRef", session);
    codes.Params["id"] = product;
    codes.execute();
    std::string list;
    while (codes.next()) list += (list.empty() ? "" : ", ") + codes["sPLU"].asString();
    return list.empty() ? "brak" : list;
}

}  // namespace

void showMultiPriceWare(std::ostream& out, const std::string& product, const TSessionHolder& session) {
    const auto towar = productByArgument(product, session);
    const bool grouping = !towar->IsNullTyp() && towar->GetTyp() == 9;
    if (!grouping && towar->GetWieleCen() != 1)
        throw std::runtime_error("Towar \"" + product + "\" (" + towar->GetNazwa() +
                                 ") nie jest towarem wielocenowym ani jego elementem.");
    DBKernel::Sql::PreparedQuery ware(
        "select lTowarRef, sNazwa, sArtIndex, sGrIndex from towar where sGrIndex = :g and byTyp = 9 and "
        "bWieleCen = 0",
        session);
    ware.Params["g"] = towar->GetGrIndex();
    ware.execute();
    if (ware.empty())
        throw std::runtime_error("Element \"" + product + "\" (" + towar->GetNazwa() +
                                 ") nie ma wiersza grupującego w grupie " + towar->GetGrIndex() + ".");
    out << "Towar wielocenowy " << ware["sNazwa"].asString() << ", indeks " << ware["sArtIndex"].asString()
        << ", ID = " << ware["lTowarRef"].asString() << ", grupa " << ware["sGrIndex"].asString() << "\n"
        << "  kody: " << codesOf(ware["lTowarRef"].asInt64(), session) << "\n";

    DBKernel::Sql::PreparedQuery elements(
        "select lTowarRef, sArtIndex, sNazwa, byTyp from towar where sGrIndex = :g and bWieleCen = 1 "
        "order by lTowarRef",
        session);
    elements.Params["g"] = towar->GetGrIndex();
    elements.execute();
    DBKernel::Sql::PreparedQuery prices(
        "select dCenaSprzed, dataOd, dataDo from warsprz where lTowarRef = :id and nvl(byDeleted, 0) = 0 "
        "order by dataOd, lWarSprzRef",
        session);
    int count = 0;
    while (elements.next()) {
        ++count;
        out << "  element " << elements["sArtIndex"].asString() << ", ID = " << elements["lTowarRef"].asString()
            << ", typ " << elements["byTyp"].asString();
        // An element sells through its grouping row's codes; one of its own is shown where it has one.
        if (const auto codes = codesOf(elements["lTowarRef"].asInt64(), session); codes != "brak")
            out << ", kody: " << codes;
        out << ": ";
        prices.Params["id"] = elements["lTowarRef"].asInt64();
        prices.execute();
        if (prices.empty()) out << "bez warunków sprzedaży";
        for (bool first = true; prices.next(); first = false)
            out << (first ? "" : "; ") << Core::Price(prices["dCenaSprzed"].asDouble()).toString() << " zł od "
                << Core::DayNumber::toText(prices["dataOd"].asDouble()) << " do "
                << Core::DayNumber::toText(prices["dataDo"].asDouble());
        out << "\n";
    }
    if (count == 0) out << "  brak elementów\n";
}

}  // namespace Towary::Host::Products
