#include "apps/towary/products/ProductFind.h"

#include "Core/Database/Query.h"
#include "Core/User/User.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"

#include <stdexcept>

namespace Towary::Host::Products {

std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session) {
    const auto found = Product::Tools::GetProductByIdentifierInvoker().invoke(identifier, session);
    if (found->empty()) throw std::runtime_error("Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".");
    const auto shown = BrowsableProducts(static_cast<int>(Core::User::instance().getUserRef()), session)
                           .filter({found->begin(), found->end()}, identifier);
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by sPLU", std::move(session));
    for (const auto& product : shown) {
        out << "ID " << product->GetTowarRef() << ", indeks "
            << (product->IsNullArtIndex() ? "-" : product->GetArtIndex()) << ": " << product->GetNazwa() << "; kody:";
        codes.Params["id"] = product->GetTowarRef();
        codes.execute();
        bool any = false;
        while (codes.next()) {
            out << (any ? ", " : " ") << codes["sPLU"].asString();
            any = true;
        }
        out << (any ? "\n" : " brak\n");
    }
    return shown.size();
}

}  // namespace Towary::Host::Products
