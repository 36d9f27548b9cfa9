// Generated stock and documents: repeatable, and of the kinds the
// reservation tells apart.

#include <gtest/gtest.h>

#include "Core/Setup/Setup.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "apps/towary/products/StockGenerator.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/Failure.h"
#include "tests/towary/products/ProductStoreSupport.h"

#include <string>
#include <vector>

using ProductTest::countOf;
using ProductTest::linesOf;

namespace {

TEST(StockGenerator, StockUpToTodayAndDocumentsOfEveryKindTheSameForTheSameSeed) {
    std::vector<std::string> firstDocuments;
    for (int round = 0; round < 2; ++round) {
        ProductTest::Store store;
        Core::SetupRegistration setup;
        Towary::Host::Products::generateProducts({50, 3}, store.session());
        const auto counts = Towary::Host::Products::generateStock({4, 400, 5, 3}, store.session());
        const auto products = countOf("select count(*) from towar where byCode = 6", store.session());
        EXPECT_EQ(counts.stockRows, 4 * products);
        EXPECT_EQ(countOf("select count(*) from stn", store.session()), counts.stockRows);
        EXPECT_EQ(countOf("select count(*) from towar where byCode = 6 and dLastSTNDate = " +
                              std::to_string(Core::DayNumber::today()),
                          store.session()),
                  products);
        EXPECT_EQ(counts.documents, 400);
        EXPECT_EQ(countOf("select count(*) from DokPoz", store.session()), counts.positions);
        EXPECT_GT(countOf("select count(*) from ParagPoz", store.session()), 0);
        EXPECT_GT(countOf("select count(*) from Dok where lPomocRef is not null", store.session()), 0);
        const auto documents = linesOf("select lDokRef, nTyp, nStatusPrzetw, nStatusKsieg from Dok", store.session());
        if (round == 0)
            firstDocuments = documents;
        else
            EXPECT_EQ(documents, firstDocuments);

        // The view's quantity of every product sums to what its positions of reserving documents hold.
        double reserved = 0;
        for (const auto& id : linesOf("select lTowarRef from towar where byCode = 6", store.session()))
            reserved += Towar::calcReserved(std::stoi(id), 0);
        EXPECT_GT(reserved, 0);
        EXPECT_LT(reserved, static_cast<double>(countOf("select sum(dIlosc) from DokPoz", store.session())));
    }
}

TEST(StockGenerator, DocumentsNeedProducts) {
    ProductTest::Store store;
    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { Towary::Host::Products::generateStock({0, 1, 5, 1}, store.session()); }),
              "Sklep nie ma towarów, których mogłyby dotyczyć dokumenty.");
}

}  // namespace
