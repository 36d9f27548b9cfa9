#include "apps/towary/plu/SpecialPriceCode.h"

#include "Core/Database/Sql.h"
#include "Core/Price/Price.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/plu/CGeneratorPLUSpecjalnych.h"
#include "Modules/Towary/Tools/plu/CPLUSpecjalneDatabaseAdapter.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <stdexcept>

namespace Towary::Host::SpecialPrices {
namespace {

TTowarPtr findProduct(const std::string& product, TSessionHolder session) {
    const bool byIndex = product.size() > 1 && product.front() == '/';
    const std::string digits = byIndex ? product.substr(1) : product;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw std::runtime_error("Towar \"" + product + "\": podaj identyfikator towaru albo / i jego indeks.");
    if (byIndex) return (*Towar::getTTowarByIndex(digits, session))[0];
    const auto id = Core::parseNumber<unsigned int>(digits);
    if (!id) throw std::runtime_error("Towar \"" + product + "\": identyfikator poza zakresem.");
    return Towar::getProduct(*id, session);
}

}  // namespace

std::string addSpecialPriceCode(const std::string& product, double price, int labels, TSessionHolder session) {
    const Core::Price special(price);
    if (special < Core::Price(0.01) || special >= Core::Price(1000.0))
        throw std::runtime_error("Cena specjalna " + special.toString() +
                                 " poza zakresem: kod PLU mieści ceny od 0.01 do 999.99.");
    DBKernel::TransactionGuard transaction(session);
    const auto towar = findProduct(product, session);
    const std::string code = PLU::CGeneratorPLUSpecjalnych(session)(special.toDouble());

    auto plu = boost::make_shared<TPLU>();
    plu->SetPLU(code);
    plu->SetTowarRef(towar->GetTowarRef());
    plu->SetJm(towar->GetJmSprz());
    plu->SetStatus(1);
    PLU::CPLUSpecjalneDatabaseAdapter().saveSpecialPrice(
        {session, plu, false, boost::make_shared<Orvel::Products::PluDiscount>(towar->GetTowarRef(), special), labels});
    transaction.commit();
    return code;
}

}  // namespace Towary::Host::SpecialPrices
