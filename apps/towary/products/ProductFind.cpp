#include "apps/towary/products/ProductFind.h"

#include "Core/Database/Query.h"
#include "Core/User/User.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"

#include <algorithm>
#include <stdexcept>

namespace Towary::Host::Products {
namespace {

std::vector<TTowarPtr> browsableFound(const std::string& identifier, int userRef, const TSessionHolder& session) {
    const auto found = Product::Tools::GetProductByIdentifierInvoker().invoke(identifier, session);
    if (found->empty()) throw std::runtime_error("Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".");
    return BrowsableProducts(userRef, session).filter({found->begin(), found->end()}, identifier);
}

FoundPage pageOf(const std::vector<TTowarPtr>& shown, std::size_t offset, std::size_t count,
                 const TSessionHolder& session) {
    FoundPage page{shown.size(), {}};
    DBKernel::Sql::PreparedQuery codes(
        "select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by sPLU", session);
    const std::size_t end = offset + std::min(count, shown.size() - std::min(offset, shown.size()));
    for (std::size_t i = offset; i < end; ++i) {
        const auto& product = *shown[i];
        FoundProduct row{product.GetTowarRef(), product.IsNullArtIndex() ? std::string() : product.GetArtIndex(),
                         product.GetNazwa(), {}};
        codes.Params["id"] = product.GetTowarRef();
        codes.execute();
        while (codes.next()) row.liveCodes.push_back(codes["sPLU"].asString());
        page.rows.push_back(std::move(row));
    }
    return page;
}

}  // namespace

FoundPage findProductsPage(const std::string& identifier, int userRef, std::size_t offset, std::size_t count,
                           TSessionHolder session) {
    // Nothing found and nothing he may browse read alike: an empty page.
    const auto found = Product::Tools::GetProductByIdentifierInvoker().invoke(identifier, session);
    const auto shown = BrowsableProducts(userRef, session).browsable({found->begin(), found->end()});
    return pageOf(shown, offset, count, session);
}

std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session) {
    const auto shown =
        browsableFound(identifier, static_cast<int>(Core::User::instance().getUserRef()), session);
    for (const auto& product : pageOf(shown, 0, shown.size(), session).rows) {
        out << "ID " << product.ref << ", indeks " << (product.articleIndex.empty() ? "-" : product.articleIndex)
            << ": " << product.name << "; kody:";
        for (std::size_t i = 0; i < product.liveCodes.size(); ++i)
            out << (i == 0 ? " " : ", ") << product.liveCodes[i];
        out << (product.liveCodes.empty() ? " brak\n" : "\n");
    }
    return shown.size();
}

}  // namespace Towary::Host::Products
