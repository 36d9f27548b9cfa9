#include "apps/towary/products/ProductFind.h"

#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"

#include <stdexcept>

namespace Towary::Host::Products {

std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session) {
    const auto found = Product::Tools::GetProductByIdentifierInvoker().invoke(identifier, session);
    if (found->empty()) throw std::runtime_error("Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".");
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by sPLU", std::move(session));
    for (const auto& product : *found) {
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
    return found->size();
}

}  // namespace Towary::Host::Products
