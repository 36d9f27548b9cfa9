#include "Modules/Towary/Tools/products/getTTowarFromDB.h"

#include "Core/Database/Query.h"
#include "Core/Database/SQLUtils.h"
#include "Core/PlacedRuntimeError.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/products/ProductSelectSql.h"

#include <boost/format.hpp>
#include <boost/make_shared.hpp>

namespace Towar {

namespace {

const char* const kSource = "Modules/Towary/Tools/getTTowarFromDB";

std::string productSelect(const std::string& rest) { return "\n select" + Product::getProductSelectCommonFieldsSql() + rest; }

[[noreturn]] void refuse(const char* message, const std::string& what, int line, const char* operation) {
    throw Core::PlacedRuntimeError((boost::format(message) % what).str(), kSource, line, operation);
}

// The rows of the statement, refused unless their count is what the caller accepts.
TTowarCollectionPtr load(const std::string& statement, TSessionHolder session, bool exactlyOne, const char* message,
                         const std::string& what, int line, const char* operation) {
    DBKernel::Sql::OpenedQuery query(statement, std::move(session));
    auto products = boost::make_shared<TTowarCollection>();
    products->load(query);
    if (products->empty() || (exactlyOne && products->size() != 1)) refuse(message, what, line, operation);
    return products;
}

}  // namespace

TTowarPtr getProduct(unsigned int id, TSessionHolder session) {
    DBKernel::Sql::PreparedQuery query(productSelect("\n from towar t\n where t.lTowarRef = :product_id"), std::move(session));
    query.Params["product_id"] = id;
    query.execute();
    if (query.empty()) refuse("Brak towaru o ID = %1%", std::to_string(id), __LINE__, "getProduct");
    auto product = boost::make_shared<TTowar>();
    product->load(query);
    return product;
}

TTowarCollectionPtr getTTowarByPlu(const std::string& plu, TSessionHolder session) {
    return load(productSelect("\n from towar t, plu p\n where t.ltowarref = p.ltowarref\n and p.splu = '" +
                              SQLUtils::SQLString(plu) + "'"),
                std::move(session), true, "Nie istnieje towar z przypisanym kodem plu %1%.", plu, __LINE__,
                "getTTowarByPlu");
}

TTowarCollectionPtr getTTowarByIndex(const std::string& index, TSessionHolder session) {
    return load(productSelect("\n from towar t\n where t.sartindex = '" + SQLUtils::SQLString(index) + "'"),
                std::move(session), true, "Nie istnieje towar o indeksie %1%.", index, __LINE__, "getTTowarByIndex");
}

TTowarCollectionPtr getTTowarProductGroupByIndex(const std::string& index, TSessionHolder session) {
    return load(productSelect("\n from towar t\n where t.sgrindex = '" + SQLUtils::SQLString(index) +
                              "' and t.sartindex is null"),
                std::move(session), true, "Nie istnieje towar o indeksie %1%.", index, __LINE__,
                "getTTowarProductGroupByIndex");
}

TTowarCollectionPtr getTTowarByName(const std::string& phrase, TSessionHolder session) {
    const std::string embedded = SQLUtils::SQLString(phrase);
    return load(productSelect("\n from towar t\n where upper(t.sNazwa) like upper('%" + embedded + "%') and byCode = " +
                       std::to_string(static_cast<int>(tcTowar))),
                std::move(session), false, "Nie istnieje towar zawierający frazę %1%.", embedded, __LINE__,
                "getTTowarByName");
}

}  // namespace Towar
