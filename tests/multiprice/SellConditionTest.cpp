// The elements of multi-price wares and their sale conditions, on a real store.

#include "Core/Database/RefPool.h"
#include "Core/Setup/Setup.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceProductsManager.h"
#include "Modules/Towary/Tools/multiprice/MultiPriceWareSellConditionLogic.h"
#include "Modules/Towary/Tools/products/getTTowarFromDB.h"
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

    void run(const std::string& statement) { TestSupport::exec(session_, statement); }
    // An element of the ware (type 3) with a sale condition at each of the prices.
    void element(int id, std::initializer_list<double> prices = {}) {
        run("insert into towar (lTowarRef, sNazwa, sGrIndex, sArtIndex, byTyp, byCode, bWieleCen) values (" +
            std::to_string(id) + ", 'Kawa', '010101001001', '000" + std::to_string(id + 1) + "', 3, 6, 1)");
        for (const double price : prices) condition(id, price);
    }
    void condition(int product, double price) {
        run("insert into warsprz (lWarSprzRef, lTowarRef, dataOd, dataDo, dCenaSprzed) values (" +
            std::to_string(++conditions_) + ", " + std::to_string(product) + ", 46000, 46100, " +
            std::to_string(price) + ")");
    }
    std::string column(const std::string& select) { return TestSupport::value(session_, select); }
    TTowar ware() { return *Towar::getProduct(100, session_); }
    // The element the logic sells the row at the price through (0 for none), and whether it was made for it.
    static Element answer(MultiPriceWareSellConditionLogic& logic, TTowar row, double price) {
        bool created = true;
        const TTowar* element = logic.getMultiPriceElement(row, price, created);
        EXPECT_TRUE(element == nullptr || element == &row);
        return {element ? row.GetTowarRef() : 0, created};
    }
    Element elementFor(double price) { return answer(logic_, ware(), price); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    Core::SetupRegistration setup_;
    TSessionHolder session_;
    MultiPriceWareSellConditionLogic logic_{session_, {}, true};
    int conditions_ = 0;
};

TEST_F(SellCondition, EveryPriceMapsToTheFirstElementOrItsOwnOrANewOneWhoseIndexShowsItsPrice) {
    element(300);
    element(200);
    for (const double price : {1.0, 9.99, 120.0}) EXPECT_EQ(elementFor(price), Element(200, false)) << price;
    EXPECT_EQ(TestSupport::count(session_, "towar"), 3);

    condition(200, 9.99);
    condition(300, 12.49);
    EXPECT_EQ(elementFor(12.49), Element(300, false));
    EXPECT_EQ(elementFor(12.494), Element(300, false)) << "prices compare to two places";
    EXPECT_EQ(elementFor(12.50), Element(1001, true)) << "of the elements' type";
    EXPECT_EQ(column("select byTyp || ' ' || bWieleCen || ' ' || byCode || ' ' || sGrIndex || ' ' || sNazwa || ' ' || "
                     "length(sArtIndex) from towar where lTowarRef = 1001"),
              "3 1 6 010101001001 Kawa 6");

    // An element's index shows its price, and it keeps only its conditions at that price (conditions 1 and 2 are above).
    element(201, {12.34, 9.99});
    TestSupport::addProduct(session_, 400, "Cukier", "010101001", "000700");
    for (const double price : {5.0, 6.0}) condition(400, price);
    // The product's article index and the ids of its conditions.
    const auto state = [&](int id) {
        return column("select sArtIndex || ' ' || coalesce((select group_concat(lWarSprzRef) from warsprz w where "
                      "w.lTowarRef = t.lTowarRef), '-') from towar t where lTowarRef = " + std::to_string(id));
    };
    Towar::updateMultiPriceProductIndex(201, Core::Price(12.34), session_);
    EXPECT_EQ(state(201), "000500001234 3");
    Towar::updateMultiPriceProductIndex(400, Core::Price(5.0), session_);
    EXPECT_EQ(state(400), "000700 5") << "not an element: only its conditions at other prices go";
    Towar::updateMultiPriceProductIndex(201, Core::Price(12345.67), session_);
    EXPECT_EQ(state(201), "0005001234567 -") << "a price of 10 000.00 or more is written with all its digits";
    EXPECT_EQ(TestSupport::failure<std::runtime_error>(
                  [&] { Towar::updateMultiPriceProductIndex(201, Core::Price(0.0), session_); }),
              "Cena 0.00 nie jest dodatnia: element towaru wielocenowego ma cenę sprzedaży od 0.01.");
}

TEST_F(SellCondition, AWareWithoutElementsGetsOneOfTypeFourAndNothingElseGetsAny) {
    const auto [made, created] = elementFor(5.0);
    EXPECT_TRUE(created);
    EXPECT_EQ(column("select byTyp from towar where lTowarRef = " + std::to_string(made)), "4");
    EXPECT_EQ(answer(logic_, *Towar::getProduct(made, session_), 5.0), Element(0, false)) << "an element is no ware";
    MultiPriceWareSellConditionLogic off(session_, {}, false);
    EXPECT_EQ(answer(off, ware(), 5.0), Element(0, false)) << "multi-price handling off";
}

TEST_F(SellCondition, TheGuardRemovesAnElementWhoseConditionWasNeverStored) {
    element(200, {9.99});
    const auto elements = [&] { return column("select count(*) from towar where bWieleCen = 1"); };
    // Makes an element for a new price under a guard, and stores its condition when told to.
    const auto sell = [&](bool stored) {
        auto row = ware();
        bool created = false;
        MultiPriceWareSellConditionLogic::WareGuard guard(logic_, logic_.getMultiPriceElement(row, 3.0, created));
        ASSERT_EQ(elements(), "2");
        if (stored) {
            condition(row.GetTowarRef(), 3.0);
            guard.commit();
        }
    };
    sell(false);
    EXPECT_EQ(elements(), "1");
    sell(true);
    EXPECT_EQ(elements(), "2");

    MultiPriceWareSellConditionLogic off(session_, {}, false);
    auto row = ware();
    { MultiPriceWareSellConditionLogic::WareGuard guard(off, &row); }
    EXPECT_EQ(column("select count(*) from towar where lTowarRef = 100"), "1") << "handling off: it removes nothing";
}

TEST_F(SellCondition, TheStoreRoutinesGetOrMakeElementsUpdateThemAndPrepareAStocktaking) {
    Core::User::instance().setUserRef(7);
    element(200, {9.99});
    Towar::MultiPriceProductsManager manager(session_);
    EXPECT_EQ(manager.getOrCreateElement(100, 9.99, true), 200);
    EXPECT_EQ(column("select sArtIndex || ' ' || byTyp || ' ' || bWieleCen || ' ' || byCode || ' ' || lUzytkRef "
                     "from towar where lTowarRef = " + std::to_string(manager.getOrCreateElement(100, 12.5, true))),
              "000500001250 3 1 6 7");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { manager.getOrCreateElement(200, 1.0, false); }),
              "Towar o ID = 200 nie jest towarem wielocenowym (wierszem grupującym typu 9).");

    run("update towar set bAtrWart = 0, bAtrMask = 8, sNazwa = 'Kawa ziarnista', byVAT = 5 where lTowarRef = 100");
    EXPECT_EQ(TestSupport::failure<std::runtime_error>([&] { manager.getOrCreateElement(100, 20.0, true); }),
              "Klasa towaru o indeksie 000500 nie pozwala na zmianę ceny: nie założono elementu o cenie 20.00.");
    EXPECT_EQ(TestSupport::count(session_, "towar"), 3) << "the refused call made nothing";

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
