#include "Core/Setup/Setup.h"
#include "Modules/Towary/Tools/products/ProductSqlText.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"
#include "tests/support/SettingsFile.h"

#include <gtest/gtest.h>


TEST(ProductSqlText, TheStatementAfterFromEndsBeforeItsOrderByAndOrderItemsTakeTheAliasAndAnUpperCaseDirection) {
    EXPECT_EQ(GetSQLStatementAfterFrom("select a from b order by c"), "b");
    EXPECT_EQ(GetSQLStatementAfterFrom("SELECT t.a FROM towar t, plu p WHERE t.x = p.x"), "towar t, plu p WHERE t.x = p.x");
    EXPECT_EQ(GetSQLStatementAfterFrom("select a from b ORDER BY c"), "b ORDER BY c");

    const TestSupport::TempStore store;
    const Core::SetupRegistration setup;
    const auto sortOrder = [](const std::string& value) {
        TestSupport::replaceSettingsFile("[\"Parametry sklepu\".Towary.Sortowanie]\n\"Kolejność sortowania\" = \"" +
                                         value + "\"\n");
    };
    sortOrder("sNazwa, sArtIndex desc");
    EXPECT_EQ(TowarFunkcje::getOrderByClause("t"), "t.sNazwa ASC, t.sArtIndex DESC");
    sortOrder("  sGrIndex Asc  ");
    EXPECT_EQ(TowarFunkcje::getOrderByClause("t"), "t.sGrIndex ASC");

    for (const char* malformed : {"sNazwa asc asc", "sNazwa up", "sNazwa,", "  "}) {
        sortOrder(malformed);
        EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { TowarFunkcje::getOrderByClause("t"); }),
                  "Błąd konfiguracji sortowania towarów.") << malformed;
    }
    sortOrder("");
    // The setup layer's refusal of an empty key, which names it.
    EXPECT_THROW(TowarFunkcje::getOrderByClause("t"), std::logic_error) << "an empty order has no default";
}
