#pragma once
// A sample store made as `towary init` makes it, with the host's services the
// special-price code needs registered in-process (settings, payment forms,
// the "PluDiscount" data-access object), and helpers that write and read
// rows with plain statements, independent of the code under test.

#include "Core/Database/RefPool.h"
#include "Core/Database/Sql.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Products/PluDiscountDao.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Token.h"
#include "apps/towary/StoreCreation.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

class DiscountCodeStore : public ::testing::Test {
protected:
    // The registered settings and payment forms are read when first used, after the store is made.
    DiscountCodeStore() {
        Core::Store::setDirectory(scratch_.path() / "sklep");
        Towary::Host::createStore();
    }

    long long addProduct(const std::string& name) {
        const auto id = DBKernel::RefPool::instance().getRef(session_);
        TestSupport::addProduct(session_, id, name, "0101", std::to_string(id));
        return id;
    }
    long long addCode(long long productId, const std::string& code, int status = 1) {
        const auto id = DBKernel::RefPool::instance().getRef(session_);
        TestSupport::addCode(session_, id, productId, code, status);
        return id;
    }
    // One column of the first row, as text ("<none>" for no row).
    std::string column(const std::string& select) { return TestSupport::value(session_, select); }
    // The rows of a query, one a line, the columns joined by "|".
    std::string rows(const std::string& query) { return TestSupport::rows(session_, query); }
    long long count(const std::string& table) { return TestSupport::count(session_, table); }

    TestSupport::TempStore scratch_;
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Platnosci::FormyPlatnosci> paymentForms_;
    Core::Token pluDiscountDao_ = Orvel::Products::registerPluDiscountDao();
    TSessionHolder session_;
};
