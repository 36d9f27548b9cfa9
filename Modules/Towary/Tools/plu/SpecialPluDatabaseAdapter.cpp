#include "Modules/Towary/Tools/plu/SpecialPluDatabaseAdapter.h"

#include "Core/Dao/DaoFactory.h"
#include "Core/Database/Sql.h"
#include "Core/Log/TLogHistoriaZmian.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Products/PluDiscountDao.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/products/WareCommands.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace PLU {

std::optional<unsigned int> CPLUSpecjalneDatabaseAdapter::getPluId(const std::string& plu,
                                                                   TSessionHolder session) const {
    DBKernel::Sql::PreparedQuery query("select lPluRef from Plu where sPlu = :plu", session);
    query.Params["plu"] = plu;
    query.execute();
    if (!query.next()) return std::nullopt;
    return static_cast<unsigned int>(query["lPluRef"].asInt64());
}

unsigned int CPLUSpecjalneDatabaseAdapter::savePluRecord(boost::shared_ptr<TPLU> plu, TSessionHolder session) const {
    const auto existing = getPluId(plu->GetPLU(), session);
    const unsigned int id =
        existing ? *existing : static_cast<unsigned int>(DBKernel::RefPool::instance().getRef(session));
    Towar::PluCommand command(existing ? "\n update PLU set lTowarRef = :lTowarRef, byStatus = :byStatus, nJm = :nJm"
                                         "\n where sPlu = :sPlu and lPluRef = :lPluRef"
                                       : "\n insert into PLU (sPlu, lTowarRef, byStatus, lPluRef, nJm)"
                                         "\n values (:sPlu, :lTowarRef, :byStatus, :lPluRef, :nJm)",
                              session);
    command.setParams(*plu);
    command.param("lPluRef") = id;  // the row's id, whatever the code object holds
    command.execute();
    return id;
}

void CPLUSpecjalneDatabaseAdapter::savePluDiscount(boost::shared_ptr<Orvel::Products::PluDiscount> discount,
                                                   TSessionHolder session) const {
    Orvel::Dao::DaoFactory::instance()
        .create<Orvel::Products::PluDiscountDao>(Orvel::Products::PluDiscountDao::kName)
        ->save(*discount, session);
}

void CPLUSpecjalneDatabaseAdapter::saveSpecCenDruk(unsigned int pluId, int count, TSessionHolder session) const {
    if (count < 0)
        throw std::invalid_argument("Liczba etykiet z ceną specjalną nie może być ujemna (podano " +
                                    std::to_string(count) + ").");
    DBKernel::Sql::Command merge(
        "\n merge into SpecCenDruk scd using\n ( select\n \t  :lPluRef lPluRef\n \t, :lIlosc lIlosc\n"
        " \t, :lUzytkRef lUzytkRef\n \tfrom dual) x\n on (scd.lPluRef = x.lPluRef)\n when matched\n"
        " then update set lIlosc = x.lIlosc, lUzytkRef = x.lUzytkRef\n when not matched\n"
        " then insert (lSpecCenDrukRef, lIlosc, lPluRef, lUzytkRef)\n \tvalues (NewRef, x.lIlosc, x.lPluRef, "
        "x.lUzytkRef)",
        session);
    merge.Params["lIlosc"] = count;
    merge.Params["lPluRef"] = pluId;
    merge.Params["lUzytkRef"] = Core::User::instance().getUserRef();
    merge.execute();
}

void CPLUSpecjalneDatabaseAdapter::saveSpecialPrice(SaveSpecialPriceContext context) const {
    DBKernel::TransactionGuard transaction(context.session);
    unsigned int id = 0;
    if (context.pluStored) {
        const auto stored = getPluId(context.plu->GetPLU(), context.session);
        if (!stored)
            throw std::runtime_error("Kod PLU ceny specjalnej '" + context.plu->GetPLU() +
                                     "' nie jest zapisany w bazie.");
        id = *stored;
    } else {
        id = savePluRecord(context.plu, context.session);
    }
    context.discount->setPluId(id);
    saveSpecCenDruk(id, context.labels, context.session);
    savePluDiscount(context.discount, context.session);
    TLogHistoriaZmian::logItem(
        {.section = "Operacje",
         .objectKind = "Towar",
         .key = "NCENYSPECJALNE",
         .operationType = 1,
         .objectId = id,
         .productId = context.discount->getProductId(),
         .text = (boost::format("Modyfikacja ilości etykiet/metek z ceną specjalną %1% %2%") %
                  context.discount->getPrice().toString() % Platnosci::getNativePaymentShortName())
                     .str()},
        context.session);
    transaction.commit();
}

}  // namespace PLU
