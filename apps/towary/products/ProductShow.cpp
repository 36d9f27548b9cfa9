#include "apps/towary/products/ProductShow.h"

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Database/Sql.h"
#include "Core/Price/Price.h"
#include "Core/User/User.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/products/ProductLookup.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
#include "apps/towary/products/BrowsableProducts.h"

#include <sstream>
#include <vector>

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
    // The whole text is built first: a product that cannot be shown must not leave half a line printed.
    std::ostringstream text;
    std::vector<TTowarPtr> found;
    const auto add = [&found](const TTowarCollectionPtr& products) { found.assign(products->begin(), products->end()); };
    if (identifier.size() > 1 && identifier.front() == '/') {
        add(Towar::getTTowarByIndex(identifier.substr(1), session));
    } else if (digitsOnly(identifier)) {
        const bool isCode = ::Products::Tools::ProductLookup(session).tryGetProductIdByPlu(identifier).has_value();
        // Ids are read as int: a number beyond that can only be a code, and the code loader names it as one.
        const auto id = Core::parseNumber<int>(identifier);
        if (isCode || !id)
            add(Towar::getTTowarByPlu(identifier, session));
        else
            found.push_back(Towar::getProduct(static_cast<unsigned int>(*id), session));
    } else {
        add(Towar::getTTowarByName(identifier, session));
    }
    BrowsableProducts browsable(static_cast<int>(Core::User::instance().getUserRef()), session);
    for (const auto& product : browsable.filter(found, identifier)) print(text, *product, session);
    out << text.str();
}

}  // namespace Towary::Host::Products
