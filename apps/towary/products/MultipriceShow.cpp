#include "apps/towary/products/MultipriceShow.h"

#include "Core/Database/Query.h"
#include "Core/tools/DayNumber.h"
#include "apps/towary/products/ProductArgument.h"

#include <stdexcept>

namespace Towary::Host::Products {
namespace {

std::vector<std::string> liveCodesOf(std::int64_t product, const TSessionHolder& session) {
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by lPluRef", session);
    codes.Params["id"] = product;
    codes.execute();
    std::vector<std::string> list;
    while (codes.next()) list.push_back(codes["sPLU"].asString());
    return list;
}

std::string codeListText(const std::vector<std::string>& codes) {
    std::string text;
    for (const auto& code : codes) text += (text.empty() ? "" : ", ") + code;
    return text;
}

}  // namespace

std::optional<MultiPriceWare> multiPriceWareOf(const TTowar& product, const TSessionHolder& session) {
    const bool grouping = !product.IsNullTyp() && product.GetTyp() == 9;
    if (!grouping && product.GetWieleCen() != 1) return std::nullopt;
    DBKernel::Sql::PreparedQuery ware(
        "select lTowarRef, sNazwa, sArtIndex, sGrIndex from towar where sGrIndex = :g and byTyp = 9 and "
        "bWieleCen = 0",
        session);
    ware.Params["g"] = product.GetGrIndex();
    ware.execute();
    if (ware.empty())
        throw std::runtime_error("Element o ID = " + std::to_string(product.GetTowarRef()) + " (" +
                                 product.GetNazwa() + ") nie ma wiersza grupującego w grupie " +
                                 product.GetGrIndex() + ".");
    MultiPriceWare found{ware["lTowarRef"].asInt(), ware["sNazwa"].asString(), ware["sArtIndex"].asString(),
                         ware["sGrIndex"].asString(), liveCodesOf(ware["lTowarRef"].asInt64(), session), {}};
    ware.close();

    DBKernel::Sql::PreparedQuery elements(
        "select lTowarRef, sArtIndex, sNazwa, byTyp from towar where sGrIndex = :g and bWieleCen = 1 "
        "order by lTowarRef",
        session);
    elements.Params["g"] = product.GetGrIndex();
    elements.execute();
    DBKernel::Sql::PreparedQuery prices(
        "select dCenaSprzed, dataOd, dataDo from warsprz where lTowarRef = :id and nvl(byDeleted, 0) = 0 "
        "order by dataOd, lWarSprzRef",
        session);
    while (elements.next()) {
        auto& element = found.elements.emplace_back();
        element.id = elements["lTowarRef"].asInt();
        element.articleIndex = elements["sArtIndex"].asString();
        element.name = elements["sNazwa"].asString();
        if (!elements["byTyp"].isNull()) element.type = elements["byTyp"].asInt();
        element.codes = liveCodesOf(element.id, session);
        prices.Params["id"] = element.id;
        prices.execute();
        while (prices.next())
            element.conditions.push_back(
                {Core::Price(prices["dCenaSprzed"].asDouble()), prices["dataOd"].asInt(), prices["dataDo"].asInt()});
    }
    return found;
}

void showMultiPriceWare(std::ostream& out, const std::string& product, const TSessionHolder& session) {
    const auto towar = productByArgument(product, session);
    const auto ware = multiPriceWareOf(*towar, session);
    if (!ware)
        throw std::runtime_error("Towar \"" + product + "\" (" + towar->GetNazwa() +
                                 ") nie jest towarem wielocenowym ani jego elementem.");
    out << "Towar wielocenowy " << ware->name << ", indeks " << ware->articleIndex << ", ID = " << ware->id
        << ", grupa " << ware->groupIndex << "\n"
        << "  kody: " << (ware->codes.empty() ? "brak" : codeListText(ware->codes)) << "\n";
    for (const auto& element : ware->elements) {
        out << "  element " << element.articleIndex << ", ID = " << element.id << ", typ "
            << (element.type ? std::to_string(*element.type) : std::string());
        // An element sells through its grouping row's codes; one of its own is shown where it has one.
        if (!element.codes.empty()) out << ", kody: " << codeListText(element.codes);
        out << ": ";
        if (element.conditions.empty()) out << "bez warunków sprzedaży";
        for (bool first = true; const auto& condition : element.conditions) {
            out << (first ? "" : "; ") << condition.price.toString() << " zł od "
                << Core::DayNumber::toText(condition.from) << " do " << Core::DayNumber::toText(condition.to);
            first = false;
        }
        out << "\n";
    }
    if (ware->elements.empty()) out << "  brak elementów\n";
}

}  // namespace Towary::Host::Products
