#include "apps/towary/products/ProductArgument.h"

#include "Core/Database/RefPool.h"
#include "Core/tools/Digits.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"

#include <stdexcept>

namespace Towary::Host {

TTowarPtr productByArgument(const std::string& product, TSessionHolder session) {
    const bool byIndex = product.size() > 1 && product.front() == '/';
    const std::string digits = byIndex ? product.substr(1) : product;
    if (digits.empty() || !Core::allDigits(digits))
        throw std::runtime_error("Towar \"" + product + "\": podaj identyfikator towaru albo / i jego indeks.");
    if (byIndex) return (*Towar::getTTowarByIndex(digits, session))[0];
    // Ids are read as int: a greater number would name another product once cut.
    const auto id = Core::parseNumber<int>(digits);
    if (!id || *id < 1)
        throw std::runtime_error("Towar \"" + product + "\": identyfikator poza zakresem; " +
                                 DBKernel::idRangeText() + ".");
    return Towar::getProduct(static_cast<unsigned int>(*id), session);
}

TTowarPtr findProduct(const std::string& product, TSessionHolder session, const std::string& notAProduct) {
    auto towar = productByArgument(product, session);
    if (towar->IsNullCode() || towar->GetCode() != Towar::tcTowar)
        throw std::runtime_error("Wiersz \"" + product + "\" (" + towar->GetNazwa() +
                                 ") nie jest towarem: " + notAProduct);
    return towar;
}

}  // namespace Towary::Host
