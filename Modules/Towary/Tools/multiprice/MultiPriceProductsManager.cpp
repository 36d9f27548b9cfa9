#include "Modules/Towary/Tools/multiprice/MultiPriceProductsManager.h"

#include "Core/Database/Procedure.h"
#include "Core/Database/Query.h"
#include "Core/Price/PriceIndexSuffix.h"
#include "Core/User/User.h"

#include <sstream>

namespace Towar {

using DBKernel::Sql::FieldType;
using DBKernel::Sql::ParamDirection;
using DBKernel::Sql::Procedure;

MultiPriceProductsManager::MultiPriceProductsManager(TSessionHolder session) : session_(std::move(session)) {}

int MultiPriceProductsManager::getOrCreateElement(int groupingProductId, double salePrice, bool verifyProductClass) {
    Procedure call("multipriceproducts.getOrCreateElement", session_);
    call.param("grouppingProductId", ParamDirection::Input, FieldType::Integer) = groupingProductId;
    call.param("salePrice", ParamDirection::Input, FieldType::Float) = salePrice;
    call.param("userId", ParamDirection::Input, FieldType::Integer) =
        static_cast<std::int64_t>(Core::User::instance().getUserRef());
    call.param("verifyProductClass", ParamDirection::Input, FieldType::Integer) = verifyProductClass ? 1 : 0;
    call.param("productid", ParamDirection::Output, FieldType::Integer);
    call.param("productIndex", ParamDirection::Output, FieldType::String);
    call.execute();
    return call.param("productid").asInt();
}

void MultiPriceProductsManager::updateElements(std::string groupIndex) {
    Procedure call("multipriceproducts.updateElements", session_);
    call.param("groupIdex", ParamDirection::Input, FieldType::String) = groupIndex;
    call.execute();
}

void MultiPriceProductsManager::createProductsForStocktaking(int stocktaking) {
    Procedure call("multipriceproducts.createProductsForStocktaking", session_);
    call.param("linwopisref_par", ParamDirection::Input, FieldType::Integer) = stocktaking;
    call.param("luzytkref_par", ParamDirection::Input, FieldType::Integer) =
        static_cast<std::int64_t>(Core::User::instance().getUserRef());
    call.execute();
}

void updateMultiPriceProductIndex(int productRef, Core::Price price, TSessionHolder session) {
    const auto ref = std::to_string(productRef);
    DBKernel::Sql::Command("\n update towar set sartindex = (\n \tselect sartindex\n \t|| '" +
                               Core::priceIndexSuffix(price) + "'\n \tfrom towar\n \twhere bytyp = " +
                               std::to_string(9) +
                               "\n \tand sgrindex = (\n \t\tselect sgrindex\n \t\tfrom towar\n \t\twhere ltowarref = " +
                               ref + "))\n where ltowarref = " + ref + "\n and bwielecen = 1",
                           session)
        .execute();
    std::ostringstream priceText;
    priceText << price;
    DBKernel::Sql::Command("delete from warsprz\n where ltowarref = " + ref + "\n and dcenasprzed <> " + priceText.str(),
                           session)
        .execute();
}

}  // namespace Towar
