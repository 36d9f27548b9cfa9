#include "apps/towary/products/BrowsableProducts.h"

#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "apps/towary/products/RightsOwners.h"

#include <stdexcept>

namespace Towary::Host::Products {

BrowsableProducts::BrowsableProducts(int userRef, TSessionHolder session)
    : userRef_(userRef), session_(std::move(session)) {
    requireKnownOwner(RightsOwner::user, userRef, session_);
    GroupRights::InputStream(userRef, session_).containerFromStream(rights_);
    if (!rights_.allRightsGranted())
        query_.emplace("select 1 from towar where lTowarRef = :id and " +
                           GroupRights::Sql::getGroupRightsWhereCondition(rights_, "sgrindex"),
                       session_);
}

std::string BrowsableProducts::condition(const std::string& groupIndexColumn) const {
    if (rights_.allRightsGranted()) return {};
    return " and " + GroupRights::Sql::getGroupRightsWhereCondition(rights_, groupIndexColumn);
}

bool BrowsableProducts::mayBrowse(long long productRef) {
    if (!query_) return true;
    query_->Params["id"] = productRef;
    query_->execute();
    return query_->next();
}

std::unordered_set<long long> BrowsableProducts::browsableAmong(const std::string& idsStatement) {
    DBKernel::Sql::OpenedQuery query("select t.lTowarRef from towar t where t.lTowarRef in (" + idsStatement + ")" +
                                         condition("t.sGrIndex"),
                                     session_);
    std::unordered_set<long long> ids;
    while (query.next()) ids.insert(query.field(0).asInt64());
    return ids;
}

std::vector<TTowarPtr> BrowsableProducts::browsable(std::span<const TTowarPtr> found) {
    std::vector<TTowarPtr> shown;
    for (const auto& product : found)
        if (mayBrowse(product->GetTowarRef())) shown.push_back(product);
    return shown;
}

std::vector<TTowarPtr> BrowsableProducts::filter(std::span<const TTowarPtr> found, const std::string& identifier) {
    auto shown = browsable(found);
    if (shown.empty() && !found.empty())
        throw std::runtime_error("Towary dla identyfikatora \"" + identifier +
                                 "\" leżą poza grupami, które może przeglądać użytkownik " + std::to_string(userRef_) +
                                 ".");
    return shown;
}

}  // namespace Towary::Host::Products
