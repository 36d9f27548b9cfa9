#include "Core/Products/PluDiscountDao.h"

#include "Core/Database/Query.h"
#include "Core/User/User.h"
#include "Core/tools/DayNumber.h"

#include <stdexcept>

namespace Orvel::Products {

PluDiscountDao::~PluDiscountDao() = default;

void PluDiscountDao::save(const PluDiscount& discount, TSessionHolder session) {
    if (discount.getPluId() <= 0) throw std::invalid_argument("Cena specjalna bez kodu PLU nie może być zapisana.");
    if (discount.getPrice() <= Core::Price(0.0))
        throw std::invalid_argument("Cena specjalna musi być dodatnia (podano " + discount.getPrice().toString() +
                                    ").");
    DBKernel::Sql::Command upsert(
        "merge into PluDiscount d using"
        " (select :lPluRef lPluRef, :lTowarRef lTowarRef, :dCena dCena, :lUzytkRef lUzytkRef, :czasMod czasMod"
        " from dual) x"
        " on (d.lPluRef = x.lPluRef)"
        " when matched then update set lTowarRef = x.lTowarRef, dCena = x.dCena, lUzytkRef = x.lUzytkRef,"
        " czasMod = x.czasMod"
        " when not matched then insert (lPluDiscountRef, lPluRef, lTowarRef, dCena, lUzytkRef, czasMod)"
        " values (NewRef, x.lPluRef, x.lTowarRef, x.dCena, x.lUzytkRef, x.czasMod)",
        session);
    upsert.Params["lPluRef"] = discount.getPluId();
    upsert.Params["lTowarRef"] = discount.getProductId();
    upsert.Params["dCena"] = discount.getPrice().toDouble();
    upsert.Params["lUzytkRef"] = Core::User::instance().getUserRef();
    upsert.Params["czasMod"] = Core::DayNumber::now();
    upsert.execute();
}

Core::Token registerPluDiscountDao() {
    return Orvel::Dao::DaoFactory::instance().registerDao(PluDiscountDao::kName,
                                                          [] { return std::make_shared<PluDiscountDao>(); });
}

}  // namespace Orvel::Products
