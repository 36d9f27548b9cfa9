#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Setup/Setup.h"
#include "Core/tools/Gs1.h"
#include "apps/towary/products/ProductExport.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/IndexSettings.h"
#include "tests/towary/products/ProductStoreSupport.h"

using ProductTest::countOf;
using Towary::Host::Products::exportProducts;
using Towary::Host::Products::generateProducts;

namespace {

std::string generatedStore(std::int64_t products, std::uint64_t seed) {
    ProductTest::Store store;
    Core::SetupRegistration setup;
    generateProducts({products, seed}, store.session());
    std::ostringstream out;
    exportProducts(out, store.session());
    return out.str();
}

}  // namespace

TEST(StoreGenerator, TheSameSeedGivesTheSameStore) {
    const auto first = generatedStore(300, 5);
    EXPECT_EQ(generatedStore(300, 5), first);
    EXPECT_NE(generatedStore(300, 6), first);
}

TEST(StoreGenerator, CodesAreValidAndTheHierarchyFollowsTheIndexLengths) {
    ProductTest::Store store;
    Core::SetupRegistration setup;
    // Lengths other than the sample's, so that nothing can follow the sample by chance.
    TestSupport::IndexSettings settings;
    settings.lengths = {1, 2, 1, 2, 2};
    settings.articleLength = 7;
    TestSupport::writeIndexSettings(settings);
    const int full[] = {0, 1, 3, 4, 6, 8};  // index length of levels 1 to 5
    const auto& session = store.session();
    const auto counts = generateProducts({3000, 11}, session);

    EXPECT_EQ(counts.products, 3000);
    EXPECT_EQ(countOf("select count(*) from towar where byCode = 6", session), 3000);
    EXPECT_GT(counts.weighed, 0);
    EXPECT_GT(counts.multiPriceWares, 0);
    EXPECT_GT(counts.deletedCodes, 0);
    EXPECT_EQ(countOf("select count(*) from plu", session), counts.codes);
    EXPECT_GT(countOf("select count(*) from plu where byStatus = 2", session), 0);
    EXPECT_EQ(countOf("select count(*) from plu where byStatus not in (1, 2, 3)", session), 0);

    // Groups: one row per index, of the length of its level, under an existing parent.
    std::set<std::string> groupIndexes;
    DBKernel::Sql::OpenedQuery groupRows(
        "select sGrIndex, byCode from towar where byCode < 6 and byTyp is null order by sGrIndex", session);
    while (groupRows.next()) {
        const auto index = groupRows["sGrIndex"].asString();
        const auto level = groupRows["byCode"].asInt();
        EXPECT_EQ(static_cast<int>(index.size()), full[level]) << index;
        if (level > 1) {
            EXPECT_TRUE(groupIndexes.count(index.substr(0, static_cast<std::size_t>(full[level - 1])))) << index;
        }
        EXPECT_TRUE(groupIndexes.insert(index).second) << "one group row per index: " << index;
    }
    EXPECT_EQ(static_cast<std::int64_t>(groupIndexes.size()), counts.groups);

    // Every product lies in a group row of its index, and its article index is of the article length.
    EXPECT_EQ(countOf("select count(*) from towar t where t.byCode = 6 and not exists"
                      " (select 1 from towar g where g.sGrIndex = t.sGrIndex and g.byCode < 6)",
                      session),
              0);
    EXPECT_EQ(countOf("select count(*) from towar where byCode = 6 and length(sArtIndex) <> 7", session), 0);
    EXPECT_EQ(countOf("select count(*) from towar where byCode = 6 and byVAT not in"
                      " (select byVAT from stawkavat where bWykluczonaDlaTowarow = 0)",
                      session),
              0)
        << "VAT codes of the store's list that products may get";
    EXPECT_EQ(countOf("select count(distinct sArtIndex) from towar where sArtIndex is not null", session),
              countOf("select count(*) from towar where sArtIndex is not null", session));

    // Multi-price wares: a grouping row at level 5 under a family, two elements or more, the codes on the grouping row.
    DBKernel::Sql::OpenedQuery wares("select lTowarRef, sGrIndex, byCode, bWieleCen from towar where byTyp = 9",
                                     session);
    std::int64_t wareCount = 0;
    while (wares.next()) {
        ++wareCount;
        const auto index = wares["sGrIndex"].asString();
        EXPECT_EQ(wares["byCode"].asInt(), 5);
        EXPECT_EQ(wares["bWieleCen"].asInt(), 0);
        ASSERT_EQ(static_cast<int>(index.size()), full[5]);
        EXPECT_TRUE(groupIndexes.count(index.substr(0, static_cast<std::size_t>(full[4])))) << index;
        EXPECT_FALSE(groupIndexes.count(index)) << "the ware's group index is its own";
        EXPECT_GE(
            countOf("select count(*) from towar where bWieleCen = 1 and byCode = 6 and sGrIndex = '" + index + "'",
                    session),
            2);
    }
    EXPECT_EQ(wareCount, counts.multiPriceWares);
    EXPECT_EQ(
        countOf("select count(*) from plu p, towar t where p.lTowarRef = t.lTowarRef and t.bWieleCen = 1", session), 0);
    EXPECT_EQ(countOf("select count(*) from towar t where byTyp = 9 and not exists"
                      " (select 1 from plu p where p.lTowarRef = t.lTowarRef and p.byStatus = 1)",
                      session),
              0);

    // Codes: GS1 check digits right; weighed goods under restricted-circulation prefixes; live codes unique.
    DBKernel::Sql::OpenedQuery codes(
        "select p.sPLU, p.byStatus, t.bWagowy from plu p, towar t where p.lTowarRef = t.lTowarRef", session);
    std::map<std::size_t, int> byLength;
    while (codes.next()) {
        const auto code = codes["sPLU"].asString();
        ++byLength[code.size()];
        if (code.size() == 13 || code.size() == 8) {
            EXPECT_TRUE(Core::Gs1::hasValidCheckDigit(code)) << code;
        }
        if (codes["bWagowy"].asInt() == 1) {
            EXPECT_EQ(code.size(), 13u) << code;
            EXPECT_EQ(code[0], '2') << "prefix 20-29: " << code;
        }
    }
    EXPECT_GT(byLength[13], 0);
    EXPECT_GT(byLength[8], 0) << "EAN-8";
    EXPECT_GT(byLength[4], 0) << "short internal codes";
    EXPECT_EQ(countOf("select count(*) from (select sPLU from plu where byStatus in (1, 2) group by sPLU"
                      " having count(*) > 1)",
                      session),
              0);
    EXPECT_GT(countOf("select count(*) from plu d, plu l where d.sPLU = l.sPLU and d.byStatus = 3 and l.byStatus = 1",
                      session),
              0)
        << "some codes stand twice: a live row and a deleted one of another product";
    EXPECT_GT(DBKernel::RefPool::instance().getRef(session), countOf("select max(lPluRef) from plu", session))
        << "the pool is past every generated id";
}

TEST(StoreGenerator, TooShortAnArticleIndexIsRefused) {
    ProductTest::Store store;
    Core::SetupRegistration setup;
    TestSupport::IndexSettings settings;
    settings.articleLength = 2;
    TestSupport::writeIndexSettings(settings);
    try {
        generateProducts({100, 1}, store.session());
        FAIL() << "100 products need three digits";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Indeks artykułu ma 2 cyfr i mieści 99 towarów, a zamówiono 100.");
    }
    EXPECT_EQ(countOf("select count(*) from towar", store.session()), 0);
}
