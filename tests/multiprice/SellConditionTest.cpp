// The elements of multi-price wares and their sale conditions, on a real store.

#include "Core/Database/RefPool.h"
#include "Core/Database/Sql.h"
#include "Core/Setup/Setup.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceProductsManager.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareSellConditionLogic.h"
#include "Modules/Towary/Tools/products/Lookup.h"
#include "tests/support/Failure.h"
#include "tests/support/IndexSettings.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace {

using Towar::MultiPriceWareSellConditionLogic;
using Element = std::pair<std::int64_t, bool>;

// A ware (grouping row 100, index 000500, group 010101001001) and what a
// test adds to it: elements and sale conditions.
class SellCondition : public ::testing::Test {
protected:
    SellCondition() {
        TestSupport::writeIndexSettings();
        run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen, byVAT) values "
            "(100, 'Kawa', '010101001001', '000500', 9, 5, 0, 9)");
        DBKernel::RefPool::instance().reserveThrough(1000, session_);
    }

    void run(const std::string& statement) { DBKernel::Sql::Command(statement, session_).execute(); }
    void element(int id, int type, const std::string& index) {
        run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values (" +
            std::to_string(id) + ", 'Kawa', '010101001001', '" + index + "', " + std::to_string(type) + ", 6, 1)");
    }
    void condition(int id, int product, double price) {
        run("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) values (" +
            std::to_string(id) + ", " + std::to_string(product) + ", 46000, 46100, " + std::to_string(price) + ")");
    }
    std::string column(const std::string& select) { return TestSupport::value(session_, select); }
    TTowar ware() {
        Towar::LookupWareByRef lookup(session_);
        lookup.setTowarRef(100);
        Towar::Lookup::Reply reply(lookup);
        TTowar row;
        row.load(*reply);
        return row;
    }
    // The element the ware sells at the price through: its id, and whether it was made for it.
    Element elementFor(double price) {
        auto row = ware();
        bool created = true;
        EXPECT_EQ(logic_.getMultiPriceElement(row, price, created), &row);
        return {row.GetTowarRef(), created};
    }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
    MultiPriceWareSellConditionLogic logic_{session_, {}, true};
};

TEST_F(SellCondition, WithoutConditionsEveryPriceMapsToTheFirstElement) {
    element(300, 3, "000301");
    element(200, 3, "000201");
    for (const double price : {1.0, 9.99, 120.0}) EXPECT_EQ(elementFor(price), Element(200, false)) << price;
    EXPECT_EQ(column("select count(*) from towar"), "3");
}

TEST_F(SellCondition, APriceOfAConditionFindsItsElementAndANewPriceMakesOneOfTheElementsType) {
    element(200, 3, "000201");
    element(300, 3, "000301");
    condition(1, 200, 9.99);
    condition(2, 300, 12.49);
    EXPECT_EQ(elementFor(12.49), Element(300, false));
    EXPECT_EQ(elementFor(12.494), Element(300, false)) << "prices compare to two places";
    EXPECT_EQ(elementFor(12.50), Element(1001, true));
    EXPECT_EQ(column("select byTyp || ' ' || bWieleCen || ' ' || byCode || ' ' || sGrIndex || ' ' || sNazwa from "
                     "towar where lTowarRef = 1001"),
              "3 1 6 010101001001 Kawa");
    EXPECT_EQ(column("select length(sArtIndex) from towar where lTowarRef = 1001"), "6");
}

TEST_F(SellCondition, AWareWithoutElementsGetsOneOfTypeFourAndOrdinaryProductsNone) {
    const auto [made, created] = elementFor(5.0);
    EXPECT_TRUE(created);
    EXPECT_EQ(column("select byTyp from towar where lTowarRef = " + std::to_string(made)), "4");

    element(200, 3, "000201");
    TTowar ordinary;
    ordinary.SetTyp(4);
    ordinary.SetGrIndex("010101001001");
    bool ordinaryCreated = true;
    EXPECT_EQ(logic_.getMultiPriceElement(ordinary, 5.0, ordinaryCreated), nullptr);
    EXPECT_FALSE(ordinaryCreated);
}

TEST_F(SellCondition, TheGuardRemovesAnElementWhoseConditionWasNeverStored) {
    element(200, 3, "000201");
    condition(1, 200, 9.99);
    const auto elements = [&] { return column("select count(*) from towar where bWieleCen = 1"); };
    try {
        auto row = ware();
        bool created = false;
        MultiPriceWareSellConditionLogic::WareGuard guard(logic_, logic_.getMultiPriceElement(row, 3.0, created));
        ASSERT_EQ(elements(), "2");
        throw std::runtime_error("zapis warunku nie powiódł się");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(elements(), "1");
    {
        auto row = ware();
        bool created = false;
        MultiPriceWareSellConditionLogic::WareGuard guard(logic_, logic_.getMultiPriceElement(row, 3.0, created));
        condition(2, row.GetTowarRef(), 3.0);
        guard.commit();
    }
    EXPECT_EQ(elements(), "2");

    // With multi-price handling off no element is made, and the guard removes nothing.
    MultiPriceWareSellConditionLogic off(session_, {}, false);
    {
        auto row = ware();
        bool offCreated = true;
        EXPECT_EQ(off.getMultiPriceElement(row, 5.0, offCreated), nullptr);
        EXPECT_FALSE(offCreated);
        MultiPriceWareSellConditionLogic::WareGuard guard(off, &row);
    }
    EXPECT_EQ(column("select count(*) from towar where lTowarRef = 100"), "1");
}

TEST_F(SellCondition, AnElementsIndexShowsItsPriceAndItKeepsOnlyItsConditionsAtThatPrice) {
    element(200, 3, "000201");
    run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values "
        "(400, 'Cukier', '010101001', '000700', 4, 6, 0)");
    condition(1, 200, 12.34);
    condition(2, 200, 9.99);
    condition(3, 400, 5.0);
    condition(4, 400, 6.0);
    Towar::updateMultiPriceProductIndex(200, Core::Price(12.34), session_);
    EXPECT_EQ(column("select sArtIndex from towar where lTowarRef = 200"), "000500001234");
    EXPECT_EQ(column("select group_concat(dCenaSprzed) from warsprz where lTowarRef = 200"), "12.34");

    Towar::updateMultiPriceProductIndex(400, Core::Price(5.0), session_);
    EXPECT_EQ(column("select sArtIndex from towar where lTowarRef = 400"), "000700") << "not an element";
    EXPECT_EQ(column("select group_concat(lWarSprzRef) from warsprz where lTowarRef = 400"), "3") << "the one at 5";

    Towar::updateMultiPriceProductIndex(200, Core::Price(12345.67), session_);
    EXPECT_EQ(column("select sArtIndex from towar where lTowarRef = 200"), "0005001234567")
        << "a price of 10 000.00 or more is written with all its digits";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { Towar::updateMultiPriceProductIndex(200, Core::Price(0.0), session_); }),
              "Cena 0.00 nie jest dodatnia: element towaru wielocenowego ma cenę sprzedaży od 0.01.");
}

TEST_F(SellCondition, TheStoreRoutinesGetOrMakeElementsUpdateThemAndPrepareAStocktaking) {
    Core::User::instance().setUserRef(7);
    element(200, 3, "000201");
    condition(1, 200, 9.99);
    Towar::MultiPriceProductsManager manager(session_);
    EXPECT_EQ(manager.getOrCreateElement(100, 9.99, true), 200);
    const int made = manager.getOrCreateElement(100, 12.5, true);
    EXPECT_EQ(column("select sArtIndex || ' ' || byTyp || ' ' || bWieleCen || ' ' || byCode || ' ' || lUzytkRef "
                     "from towar where lTowarRef = " + std::to_string(made)),
              "000500001250 3 1 6 7");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { manager.getOrCreateElement(200, 1.0, false); }),
              "Towar o ID = 200 nie jest towarem wielocenowym (wierszem grupującym typu 9).");

    run("update towar set bAtrWart = 0, bAtrMask = 8, sNazwa = 'Kawa ziarnista', byVAT = 5 where lTowarRef = 100");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { manager.getOrCreateElement(100, 20.0, true); }),
              "Klasa towaru o indeksie 000500 nie pozwala na zmianę ceny: nie założono elementu o cenie 20.00.");
    EXPECT_EQ(column("select count(*) from towar"), "3") << "the refused call made nothing";

    manager.updateElements("010101001001");
    EXPECT_EQ(column("select group_concat(sNazwa || ' ' || byVAT || ' ' || bAtrMask) from towar where bWieleCen = 1"),
              "Kawa ziarnista 5 8,Kawa ziarnista 5 8");

    run("insert into InwOpis (lInwOpisRef, sNazwa) values (50, 'Roczna')");
    manager.createProductsForStocktaking(50);
    manager.createProductsForStocktaking(50);
    EXPECT_EQ(column("select group_concat(lTowarRef || ' ' || lUzytkRef) from InwPoz where lInwOpisRef = 50"), "100 7")
        << "the ware once, by its grouping row";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { manager.createProductsForStocktaking(51); }),
              "Nie ma inwentaryzacji o ID = 51.");
    Core::User::instance().setUserRef(Core::User::kDefaultUserRef);
}

}  // namespace
