#pragma once
// A sample store made as `towary init` makes it, with the host's services the
// special-price code needs registered in-process (settings, payment forms,
// the "PluDiscount" data-access object), and helpers that write and read
// rows with plain statements, independent of the code under test.

#include "Core/Database/Sql.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Setup/Setup.h"
#include "Core/Token.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <string>

class DiscountCodeStore : public ::testing::Test {
protected:
    DiscountCodeStore();

    long long addProduct(const std::string& name);
    long long addCode(long long productId, const std::string& code, int status = 1);
    // One column of the first row, as text ("<none>" for no row).
    std::string column(const std::string& select);
    long long count(const std::string& table);

    TestSupport::TempStore scratch_;
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Platnosci::FormyPlatnosci> paymentForms_;
    Core::Token pluDiscountDao_;
    TSessionHolder session_;
};
