#include "apps/towary/plu/SpecialPriceCode.h"

#include "Core/Database/Sql.h"
#include "Core/Price/Price.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/plu/SpecialPluGenerator.h"
#include "Modules/Towary/Tools/plu/SpecialPluDatabaseAdapter.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/format.hpp>
#include <boost/make_shared.hpp>

#include <cmath>
#include <stdexcept>

namespace Towary::Host::SpecialPrices {
namespace {

// The price rounded to grosze, when a special code can carry it.
Core::Price specialPrice(double price) {
    const std::string outOfRange = " poza zakresem: kod PLU mieści ceny od 0.01 do 999.99.";
    // Core::Price holds no infinite, NaN or huge amount: such a price is refused before it is made one.
    if (!std::isfinite(price) || std::fabs(price) >= 1000)
        throw std::runtime_error("Cena specjalna " + (boost::format("%.2f") % price).str() + outOfRange);
    const Core::Price special(price);
    if (special < Core::Price(0.01) || special >= Core::Price(1000.0))
        throw std::runtime_error("Cena specjalna " + special.toString() + outOfRange);
    return special;
}

// The product row the argument names; a group row (any hierarchy code but
// that of a product) gets no special code.
TTowarPtr findProduct(const std::string& product, TSessionHolder session) {
    const auto towar = Products::productByArgument(product, session);
    if (towar->IsNullCode() || towar->GetCode() != Towar::tcTowar)
        throw std::runtime_error("Wiersz \"" + product + "\" (" + towar->GetNazwa() +
                                 ") nie jest towarem: kod z ceną specjalną dostaje tylko towar, nie grupa.");
    return towar;
}

}  // namespace

std::string addSpecialPriceCode(const std::string& product, double price, int labels, TSessionHolder session) {
    const Core::Price special = specialPrice(price);
    DBKernel::TransactionGuard transaction(session);
    const auto towar = findProduct(product, session);
    const std::string code = PLU::CGeneratorPLUSpecjalnych(session)(special.toDouble());

    auto plu = boost::make_shared<TPLU>();
    plu->SetPLU(code);
    plu->SetTowarRef(towar->GetTowarRef());
    plu->SetJm(towar->GetJmSprz());
    plu->SetStatus(PluStatus::kLive);
    PLU::CPLUSpecjalneDatabaseAdapter().saveSpecialPrice(
        {session, plu, false, boost::make_shared<Orvel::Products::PluDiscount>(towar->GetTowarRef(), special), labels});
    transaction.commit();
    return code;
}

}  // namespace Towary::Host::SpecialPrices
