// The product types' labels.

#include "Modules/Towary/Tools/classification/ProductTypes.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ProductTypes, LabelsAndCodesMatchExactly) {
    EXPECT_EQ(Towar::getProductTypeDescription(7), "Usługa");
    for (int code : {0, 16, 20, 24}) EXPECT_EQ(Towar::getProductTypeDescription(code), "<nieznany>") << code;
    EXPECT_EQ(Towar::getProductTypeByDescription("Zwykły"), 4);
    EXPECT_EQ(Towar::getProductTypeByDescription("Prowizja od transakcji finansowej"), 22);
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { Towar::getProductTypeByDescription("zwykły"); }),
              "Brak typu towaru zwykły")
        << "a label differing in letter case names no type";
}

}  // namespace
