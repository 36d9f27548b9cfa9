#include "apps/towary/products/ProductShow.h"

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Sql.h"
#include "Core/Price/Price.h"
#include "Core/tools/Digits.h"
#include "Modules/Towary/Tools/products/ProductLookup.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"

#include <limits>

namespace Towary::Host::Products {

namespace {

void print(std::ostream& out, const TTowar& product, TSessionHolder session) {
    out << "Towar ID " << product.GetTowarRef() << ": " << product.GetNazwa() << '\n'
        << "  indeks " << product.GetArtIndex() << ", grupa " << product.GetGrIndex() << ", poziom "
        << product.GetCode() << ", typ " << product.GetTyp() << ", VAT " << product.GetVAT() << ", cena "
        << Core::Price(product.GetCenaSprzed()).toString() << '\n';
    DBKernel::Sql::PreparedQuery codes("select sPLU, nJm, byStatus from plu where lTowarRef = :id order by lPluRef",
                                       std::move(session));
    codes.Params["id"] = product.GetTowarRef();
    codes.execute();
    while (codes.next())
        out << "  kod " << codes["sPLU"].asString() << ", jm " << codes["nJm"].asString() << ", status "
            << codes["byStatus"].asInt64() << (codes["byStatus"].asInt64() == PluStatus::kDeleted ? " (usunięty)" : "") << '\n';
}

bool digitsOnly(const std::string& text) {
    return !text.empty() && Core::allDigits(text);
}

}  // namespace

void showProducts(std::ostream& out, const std::string& identifier, TSessionHolder session) {
    TTowarCollectionPtr found;
    if (identifier.size() > 1 && identifier.front() == '/') {
        found = Towar::getTTowarByIndex(identifier.substr(1), session);
    } else if (digitsOnly(identifier)) {
        const bool isCode = ::Products::Tools::ProductLookup(session).tryGetProductIdByPlu(identifier).has_value();
        // A number too long for an id can only be a code: the code loader names it as one.
        if (isCode || identifier.size() > std::numeric_limits<unsigned int>::digits10) {
            found = Towar::getTTowarByPlu(identifier, session);
        } else {
            print(out, *Towar::getProduct(static_cast<unsigned int>(std::stoul(identifier)), session), session);
            return;
        }
    } else {
        found = Towar::getTTowarByName(identifier, session);
    }
    for (const auto& product : *found) print(out, *product, session);
}

}  // namespace Towary::Host::Products
