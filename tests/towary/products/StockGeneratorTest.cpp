// Generated stock and documents: repeatable, and of the kinds the
// reservation tells apart.

#include <gtest/gtest.h>

#include "Core/Database/Query.h"
#include "Core/Setup/Setup.h"
#include "Core/tools/DayNumber.h"
#include "Modules/Towary/Tools/classification/StockQuantities.h"
#include "apps/towary/products/StockGenerator.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/Failure.h"
#include "tests/towary/products/ProductStoreSupport.h"

#include <string>

namespace {

TEST(StockGenerator, StockUpToTodayAndDocumentsOfEveryKindOfTheProductsTheSameForTheSameSeed) {
    std::string firstDocuments;
    for (int round = 0; round < 2; ++round) {
        ProductTest::Store store;
        Core::SetupRegistration setup;
        const auto& session = store.session();
        EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                      [&] { Towary::Host::Products::generateStock({0, 1, 5, 1}, session); }),
                  "Sklep nie ma towarów, których mogłyby dotyczyć dokumenty.");
        Towary::Host::Products::generateProducts({50, 3}, session);
        const auto counts = Towary::Host::Products::generateStock({4, 400, 5, 3}, session);
        const auto products = TestSupport::count(session, "towar where byCode = 6");
        EXPECT_EQ(counts.stockRows, 4 * products);
        EXPECT_EQ(TestSupport::count(session, "stn"), counts.stockRows);
        EXPECT_EQ(TestSupport::count(session, "towar where byCode = 6 and dLastSTNDate = " +
                                                  std::to_string(Core::DayNumber::today())),
                  products);
        EXPECT_EQ(counts.documents, 400);
        EXPECT_EQ(TestSupport::count(session, "DokPoz"), counts.positions);
        EXPECT_GT(TestSupport::count(session, "ParagPoz"), 0);
        EXPECT_GT(TestSupport::count(session, "Dok where lPomocRef is not null"), 0);
        const auto documents = TestSupport::rows(session, "select lDokRef, nTyp, nStatusPrzetw, nStatusKsieg from Dok");
        if (round == 0) firstDocuments = documents;
        else EXPECT_EQ(documents, firstDocuments);

        // The view's quantity of every product sums to what its positions of reserving documents hold.
        double reserved = 0;
        for (DBKernel::Sql::OpenedQuery ids("select lTowarRef from towar where byCode = 6", session); ids.next();)
            reserved += Towar::calcReserved(ids.field(0).asInt(), 0);
        EXPECT_GT(reserved, 0);
        EXPECT_LT(reserved, std::stod(TestSupport::value(session, "select sum(dIlosc) from DokPoz")));
    }
}

}  // namespace
