#include "apps/towary/products/ProductFind.h"

#include "Core/Database/Query.h"
#include "Core/User/User.h"
#include "apps/towary/products/BrowsableProducts.h"
#include "Modules/Towary/Tools/plu/IdentifierFilterInvokers.h"
#include "Modules/Towary/Tools/plu/IdentifierSql.h"

#include <algorithm>
#include <stdexcept>

namespace Towary::Host::Products {
namespace {

// The live codes of one product, in order; the statement is prepared once per search.
class LiveCodes {
public:
    explicit LiveCodes(const TSessionHolder& session)
        : query_("select sPLU from plu where lTowarRef = :id and byStatus in (1, 2) order by sPLU", session) {}
    std::vector<std::string> of(long long productRef) {
        query_.Params["id"] = productRef;
        query_.execute();
        std::vector<std::string> codes;
        while (query_.next()) codes.push_back(query_["sPLU"].asString());
        return codes;
    }

private:
    DBKernel::Sql::PreparedQuery query_;
};

}  // namespace

FoundPage findProductsPage(const std::string& identifier, int userRef, std::size_t offset, std::size_t count,
                           TSessionHolder session) {
    // The rows the module's identifier action joins, with the rights' condition and the page in SQL.
    const std::string found = " from towar t, " + Product::Tools::getIdentifierSqlPart(identifier) +
                              " identifier where identifier.productId = t.lTowarRef" +
                              BrowsableProducts(userRef, session).condition("t.sGrIndex");
    // The count comes with the page's rows: one pass over what the identifier finds.
    DBKernel::Sql::PreparedQuery rows("select t.lTowarRef, t.sArtIndex, t.sNazwa, t.byCode, count(*) over () found" +
                                          found + " order by t.sNazwa, t.lTowarRef limit :count offset :offset",
                                      session);
    rows.Params["count"] = static_cast<long long>(count);
    rows.Params["offset"] = static_cast<long long>(offset);
    rows.execute();
    FoundPage page;
    while (rows.next()) {
        page.total = static_cast<std::size_t>(rows["found"].asInt64());
        page.rows.push_back({rows["lTowarRef"].asInt64(),
                             rows["sArtIndex"].isNull() ? std::string() : rows["sArtIndex"].asString(),
                             rows["sNazwa"].asString(), rows["byCode"].asInt64() != 6, {}});
    }
    LiveCodes codes(session);
    for (auto& row : page.rows) row.liveCodes = codes.of(row.ref);
    if (page.rows.empty() && offset > 0) {
        // A page past the last: the count alone.
        DBKernel::Sql::PreparedQuery total("select count(*) found" + found, session);
        total.execute();
        page.total = static_cast<std::size_t>(total["found"].asInt64());
    }
    return page;
}

std::size_t findProducts(std::ostream& out, const std::string& identifier, TSessionHolder session) {
    const auto found = Product::Tools::GetProductByIdentifierInvoker().invoke(identifier, session);
    if (found->empty()) throw std::runtime_error("Nie znaleziono towaru dla identyfikatora \"" + identifier + "\".");
    const auto shown = BrowsableProducts(static_cast<int>(Core::User::instance().getUserRef()), session)
                           .filter({found->begin(), found->end()}, identifier);
    LiveCodes codes(session);
    for (const auto& product : shown) {
        out << "ID " << product->GetTowarRef() << ", indeks "
            << (product->IsNullArtIndex() ? "-" : product->GetArtIndex()) << ": " << product->GetNazwa() << "; kody:";
        const auto live = codes.of(product->GetTowarRef());
        for (std::size_t i = 0; i < live.size(); ++i) out << (i == 0 ? " " : ", ") << live[i];
        out << (live.empty() ? " brak\n" : "\n");
    }
    return shown.size();
}

}  // namespace Towary::Host::Products
