#include "tests/plu/SpecialPriceStore.h"

#include "Core/Products/PluDiscountDao.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/StoreCreation.h"

// The registered settings and payment forms are read when first used, after the store is made.
SpecialPriceStore::SpecialPriceStore() : pluDiscountDao_(Orvel::Products::registerPluDiscountDao()) {
    Core::Store::setDirectory(scratch_.path() / "sklep");
    Towary::Host::createStore();
}

long long SpecialPriceStore::addProduct(const std::string& name) {
    const auto id = DBKernel::RefPool::instance().getRef(session_);
    DBKernel::Sql::Command insert(
        "insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byCode) values (:id, :name, '0101', :id, 6)",
        session_);
    insert.Params["id"] = id;
    insert.Params["name"] = name;
    insert.execute();
    return id;
}

long long SpecialPriceStore::addCode(long long productId, const std::string& code, int status) {
    const auto id = DBKernel::RefPool::instance().getRef(session_);
    DBKernel::Sql::Command insert(
        "insert into plu (lPluRef, sPLU, lTowarRef, byStatus, nJm) values (:id, :code, :product, :status, 1)",
        session_);
    insert.Params["id"] = id;
    insert.Params["code"] = code;
    insert.Params["product"] = productId;
    insert.Params["status"] = status;
    insert.execute();
    return id;
}

std::string SpecialPriceStore::column(const std::string& select) {
    DBKernel::Sql::OpenedQuery query(select, session_);
    return query.empty() ? "<none>" : query.field(0).asString();
}

long long SpecialPriceStore::count(const std::string& table) {
    return std::stoll(column("select count(*) from " + table));
}
