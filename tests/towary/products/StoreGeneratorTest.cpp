#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Setup/Setup.h"
#include "Core/tools/Gs1.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "apps/towary/products/StoreGenerator.h"
#include "tests/support/Failure.h"
#include "tests/support/IndexSettings.h"
#include "tests/towary/products/ProductStoreSupport.h"

using TestSupport::count;
using TestSupport::value;
using Towary::Host::Products::generateProducts;

TEST(StoreGenerator, CodesAreValidAndTheHierarchyFollowsTheIndexLengthsWhichMustHoldTheProducts) {
    ProductTest::Store store;
    Core::SetupRegistration setup;
    // Lengths other than the sample's, so that nothing can follow the sample by chance.
    TestSupport::IndexSettings settings;
    settings.lengths = {1, 2, 1, 2, 2};
    settings.articleLength = 7;
    TestSupport::writeIndexSettings(settings);
    const auto& session = store.session();
    const auto counts = generateProducts({3000, 11}, session);

    EXPECT_EQ(std::to_string(counts.products) + " " + std::to_string(count(session, "towar where byCode = 6")), "3000 3000");
    EXPECT_TRUE(counts.weighed > 0 && counts.multiPriceWares > 0 && counts.deletedCodes > 0);
    EXPECT_EQ(count(session, "plu"), counts.codes);
    EXPECT_GT(count(session, "plu where byStatus = 2"), 0);
    // Groups: one row per index.
    EXPECT_EQ(TestSupport::rows(session, "select count(distinct sGrIndex), count(*) from towar where byCode < 6 and "
                                         "byTyp is null"),
              std::to_string(counts.groups) + "|" + std::to_string(counts.groups) + "\n");
    EXPECT_EQ(value(session, "select count(*) - count(distinct sArtIndex) from towar where sArtIndex is not null"), "0");
    EXPECT_EQ(count(session, "towar where byTyp = 9"), counts.multiPriceWares);

    // The rows no generated store may hold.
    for (const char* broken : {
             "select count(*) from plu where byStatus not in (1, 2, 3)",
             // A group of another length than its level's (1, 3, 4, 6, 8), or without its parent.
             "select count(*) from towar g where byCode < 6 and byTyp is null and (length(sGrIndex) <>"
             " case byCode when 1 then 1 when 2 then 3 when 3 then 4 when 4 then 6 else 8 end or byCode > 1"
             " and not exists (select 1 from towar p where p.byCode = g.byCode - 1 and p.byTyp is null"
             " and p.sGrIndex = substr(g.sGrIndex, 1, length(p.sGrIndex))))",
             // A product outside a group row of its index, an article index not of the article length, a VAT
             // code not of the store's list that products may get.
             "select count(*) from towar t where t.byCode = 6 and not exists"
             " (select 1 from towar g where g.sGrIndex = t.sGrIndex and g.byCode < 6)",
             "select count(*) from towar where byCode = 6 and length(sArtIndex) <> 7",
             "select count(*) from towar where byCode = 6 and byVAT not in"
             " (select byVAT from stawkavat where bWykluczonaDlaTowarow = 0)",
             // A multi-price ware not a grouping row at level 5 under a family with two elements or more, a code
             // on an element, a ware without a live code of its own.
             "select count(*) from towar w where byTyp = 9 and (byCode <> 5 or bWieleCen <> 0"
             " or length(sGrIndex) <> 8 or not exists (select 1 from towar g where g.byCode = 4"
             " and g.byTyp is null and g.sGrIndex = substr(w.sGrIndex, 1, 6)) or exists (select 1 from towar g"
             " where g.byCode < 6 and g.byTyp is null and g.sGrIndex = w.sGrIndex) or (select count(*) from"
             " towar e where e.bWieleCen = 1 and e.byCode = 6 and e.sGrIndex = w.sGrIndex) < 2)",
             "select count(*) from plu p, towar t where p.lTowarRef = t.lTowarRef and t.bWieleCen = 1",
             "select count(*) from towar t where byTyp = 9 and not exists"
             " (select 1 from plu p where p.lTowarRef = t.lTowarRef and p.byStatus = 1)",
             // A code live on two rows.
             "select count(*) from (select sPLU from plu where byStatus in (1, 2) group by sPLU having count(*) > 1)"})
        EXPECT_EQ(value(session, broken), "0") << broken;

    // Codes: GS1 check digits right; weighed goods under restricted-circulation prefixes (20-29).
    std::map<std::size_t, int> byLength;
    for (DBKernel::Sql::OpenedQuery codes("select p.sPLU, t.bWagowy from plu p, towar t where p.lTowarRef = t.lTowarRef",
                                          session);
         codes.next();) {
        const auto code = codes["sPLU"].asString();
        ++byLength[code.size()];
        EXPECT_TRUE((code.size() != 13 && code.size() != 8) || Core::Gs1::hasValidCheckDigit(code)) << code;
        EXPECT_TRUE(codes["bWagowy"].asInt() != 1 || (code.size() == 13 && code[0] == '2')) << code;
    }
    EXPECT_TRUE(byLength[13] > 0 && byLength[8] > 0 && byLength[4] > 0) << "EAN-13, EAN-8 and short internal codes";
    EXPECT_GT(count(session, "plu d, plu l where d.sPLU = l.sPLU and d.byStatus = 3 and l.byStatus = 1"), 0)
        << "some codes stand twice: a live row and a deleted one of another product";
    EXPECT_GT(DBKernel::RefPool::instance().getRef(session), std::stoll(value(session, "select max(lPluRef) from plu")))
        << "the pool is past every generated id";

    // Too short an article index for the products ordered is refused before anything is written.
    settings.articleLength = 2;
    TestSupport::writeIndexSettings(settings);
    const auto rows = count(session, "towar");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { generateProducts({100, 1}, session); }),
              "Indeks artykułu ma 2 cyfr i mieści 99 towarów, a zamówiono 100.");
    EXPECT_EQ(count(session, "towar"), rows);
}

TEST(StoreGenerator, AShareOfMultiPriceWaresConditionsAtTheirPricesUsersRightsAndTodaysRates) {
    ProductTest::Store store;
    Core::SetupRegistration setup;
    TestSupport::writeIndexSettings();
    TSessionHolder session = store.session();
    Towary::Host::Products::GeneratorOptions options{
        .products = 2000, .users = 4, .rightsPerUser = 6, .multiPricePercent = 20.0, .conditions = 300};
    const auto counts = generateProducts(options, session);
    // Users get rights over distinct generated groups through the store's procedures.
    EXPECT_EQ(std::to_string(counts.users) + " " + std::to_string(counts.rightsEntries), "4 24");
    EXPECT_EQ(count(session, "uzytkownik where luzytkref between 2 and 5"), 4);
    EXPECT_EQ(count(session, "uzytkgrouprights r join towar t on t.sGrIndex = r.sgrindex and t.byCode < 6 where "
                             "r.luzytkref between 2 and 5 and r.rekordemzarzadza = 2"), 24);
    EXPECT_EQ(TestSupport::rows(session, "select distinct przegladaniegrupy from uzytkgrouprights order by 1"), "1\n2\n");
    // Products get today's rates, which the VAT plan of 2011 leaves alone.
    EXPECT_GT(count(session, "towar t, stawkavat s where t.byVAT = s.byVAT and s.dStawka = 0"), 0);
    Towar::planVatRatesChange(session, false);
    EXPECT_EQ(count(session, "zmianavat"), 0);

    EXPECT_EQ(std::to_string(counts.conditions) + " " + std::to_string(count(session, "warsprz")), "300 300");
    EXPECT_GT(counts.multiPriceWares, 200) << "about a fifth of 2000 draws less the elements they take";
    EXPECT_EQ(count(session, "warsprz w join towar t on t.lTowarRef = w.lTowarRef where t.byCode <> 6 or "
                             "w.dCenaSprzed <> t.dCenaSprzed or w.dataDo < w.dataOd"), 0);
    EXPECT_GT(DBKernel::RefPool::instance().getRef(session),
              std::stoll(value(session, "select max(lWarSprzRef) from warsprz")))
        << "the pool is past every condition's id";
    options.multiPricePercent = 0.0;
    options.conditions = 0;
    ProductTest::Store none;
    generateProducts(options, none.session());
    EXPECT_EQ(count(none.session(), "towar where byTyp = 9"), 0);
}
