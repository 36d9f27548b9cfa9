#include "tests/plu/DiscountCodeStore.h"

#include "Core/Products/PluDiscountDao.h"
#include "Core/Store/StoreLocation.h"
#include "apps/towary/StoreCreation.h"
#include "tests/support/StoreRows.h"

// The registered settings and payment forms are read when first used, after the store is made.
DiscountCodeStore::DiscountCodeStore() : pluDiscountDao_(Orvel::Products::registerPluDiscountDao()) {
    Core::Store::setDirectory(scratch_.path() / "sklep");
    Towary::Host::createStore();
}

long long DiscountCodeStore::addProduct(const std::string& name) {
    const auto id = DBKernel::RefPool::instance().getRef(session_);
    TestSupport::addProduct(session_, id, name, "0101", std::to_string(id));
    return id;
}

long long DiscountCodeStore::addCode(long long productId, const std::string& code, int status) {
    const auto id = DBKernel::RefPool::instance().getRef(session_);
    TestSupport::addCode(session_, id, productId, code, status);
    return id;
}

std::string DiscountCodeStore::column(const std::string& select) { return TestSupport::value(session_, select); }

long long DiscountCodeStore::count(const std::string& table) { return TestSupport::count(session_, table); }
