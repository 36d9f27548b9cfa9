#include "Core/Setup/Setup.h"
#include "Modules/Towary/Tools/products/ProductSqlText.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"
#include "tests/support/SettingsFile.h"

#include <gtest/gtest.h>


TEST(ProductSqlTextTest, StatementAfterFromEndsBeforeItsOrderBy) {
    EXPECT_EQ(GetSQLStatementAfterFrom("select a from b order by c"), "b");
    EXPECT_EQ(GetSQLStatementAfterFrom("SELECT t.a FROM towar t, plu p WHERE t.x = p.x"), "towar t, plu p WHERE t.x = p.x");
    EXPECT_EQ(GetSQLStatementAfterFrom("select a from b ORDER BY c"), "b ORDER BY c");
}

class OrderByClauseTest : public ::testing::Test {
protected:
    void sortOrder(const std::string& value) {
        TestSupport::replaceSettingsFile("[\"Parametry sklepu\".Towary.Sortowanie]\n\"Kolejność sortowania\" = \"" +
                                         value + "\"\n");
    }

    TestSupport::TempStore store_;
    Core::SetupRegistration setup_;
};

TEST_F(OrderByClauseTest, ItemsTakeTheAliasAndAnUpperCaseDirection) {
    sortOrder("sNazwa, sArtIndex desc");
    EXPECT_EQ(TowarFunkcje::getOrderByClause("t"), "t.sNazwa ASC, t.sArtIndex DESC");
    sortOrder("  sGrIndex Asc  ");
    EXPECT_EQ(TowarFunkcje::getOrderByClause("t"), "t.sGrIndex ASC");

    for (const char* malformed : {"sNazwa asc asc", "sNazwa up", "sNazwa,", "  "}) {
        sortOrder(malformed);
        EXPECT_EQ(TestSupport::failure<std::runtime_error>([] { TowarFunkcje::getOrderByClause("t"); }),
                  "Błąd konfiguracji sortowania towarów.")
            << malformed;
    }
    sortOrder("");
    EXPECT_EQ(TestSupport::failure<std::logic_error>([] { TowarFunkcje::getOrderByClause("t"); }),
              "próba pobrania wartości typu (std::string) z pustego klucza\n"
              "Parametry sklepu / Towary / Sortowanie / Kolejność sortowania");
}
