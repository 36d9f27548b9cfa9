#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Dao/DaoFactory.h"
#include "Core/Products/PluDiscountDao.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/plu/SpecialPluDatabaseAdapter.h"
#include "tests/plu/DiscountCodeStore.h"
#include "tests/support/Failure.h"

#include <boost/make_shared.hpp>

namespace {

using TestSupport::failure;

class SpecialPriceAdapter : public DiscountCodeStore {
protected:
    PLU::SaveSpecialPriceContext context(const std::string& code, double price, int labels, bool stored = false) {
        auto plu = boost::make_shared<TPLU>();
        plu->SetPLU(code);
        plu->SetTowarRef(static_cast<int>(product_));
        plu->SetJm(1);
        plu->SetStatus(1);
        return {session_, plu, stored, boost::make_shared<Orvel::Products::PluDiscount>(product_, price), labels};
    }

    long long product_ = addProduct("Ser");
    PLU::CPLUSpecjalneDatabaseAdapter adapter_;
};

TEST_F(SpecialPriceAdapter, StoresTheCodeItsPriceLabelsAndHistoryTogether) {
    Core::User::instance().setUserRef(7);
    adapter_.saveSpecialPrice(context("2900017012509", 12.5, 3));
    const std::string id = column("select lPluRef from plu where sPLU = '2900017012509'");
    EXPECT_EQ(std::to_string(*adapter_.getPluId("2900017012509", session_)), id);
    EXPECT_EQ(column("select lTowarRef || ' ' || byStatus || ' ' || nJm from plu where lPluRef = " + id),
              std::to_string(product_) + " 1 1");
    EXPECT_EQ(column("select dCena || ' ' || lTowarRef || ' ' || lUzytkRef from PluDiscount where lPluRef = " + id),
              "12.5 " + std::to_string(product_) + " 7");
    EXPECT_EQ(column("select sSekcja || '|' || sRodzajObiektu || '|' || sKlucz || '|' || nTypOperacji || '|' ||"
                     " lObiektRef || '|' || lTowarRef || '|' || sOpis || '|' || lUzytkRef from HistoriaZmian"),
              "Operacje|Towar|NCENYSPECJALNE|1|" + id + "|" + std::to_string(product_) +
                  "|Modyfikacja ilości etykiet/metek z ceną specjalną 12.50 zł|7");

    // The code row is stored already and the caller knows only its text: the
    // labels (now set by another user) and the price change, no second row;
    // the history names the price's product.
    Core::User::instance().setUserRef(9);
    auto stored = context("2900017012509", 12.5, 5, true);
    stored.plu = boost::make_shared<TPLU>();
    stored.plu->SetPLU("2900017012509");
    adapter_.saveSpecialPrice(stored);
    EXPECT_EQ(count("plu"), 1);
    EXPECT_EQ(column("select lIlosc || ' ' || lUzytkRef || ' ' || (lSpecCenDrukRef > 0) from SpecCenDruk"), "5 9 1")
        << "the labels row was merged once, its id from the id generator";
    EXPECT_EQ(count("SpecCenDruk"), 1);
    EXPECT_EQ(count("PluDiscount"), 1);
    EXPECT_EQ(column("select lObiektRef || ' ' || lTowarRef from HistoriaZmian where lUzytkRef = 9"),
              id + " " + std::to_string(product_));
    EXPECT_FALSE(adapter_.getPluId("2900018012508", session_));
    Core::User::instance().setUserRef(Core::User::kDefaultUserRef);
}

TEST_F(SpecialPriceAdapter, ACodeRowStoredAlreadyIsUpdatedInPlace) {
    const auto id = addCode(addProduct("Chleb"), "2900017012509", 3);
    auto plu = context("2900017012509", 12.5, 1).plu;
    plu->SetJm(2);
    EXPECT_EQ(adapter_.savePluRecord(plu, session_), id);
    EXPECT_EQ(count("plu"), 1);
    EXPECT_EQ(column("select lTowarRef || ' ' || byStatus || ' ' || nJm from plu"), std::to_string(product_) + " 1 2");
}

TEST_F(SpecialPriceAdapter, AFailureOnTheWayLeavesNothingWritten) {
    EXPECT_EQ(failure([&] { adapter_.saveSpecialPrice(context("2900017012509", 12.5, 3, true)); }),
              "Kod PLU ceny specjalnej '2900017012509' nie jest zapisany w bazie.");
    EXPECT_EQ(failure([&] { adapter_.saveSpecialPrice(context("2900017012509", 12.5, -1)); }),
              "Liczba etykiet z ceną specjalną nie może być ujemna (podano -1).");
    EXPECT_EQ(failure([&] { adapter_.saveSpecialPrice(context("2900017012509", 0.0, 1)); }),
              "Cena specjalna musi być dodatnia (podano 0.00).");
    pluDiscountDao_.reset();
    EXPECT_EQ(failure([&] { adapter_.saveSpecialPrice(context("2900017012509", 12.5, 1)); }),
              "Nie zarejestrowano obiektu dostępu do danych \"PluDiscount\".");
    for (const char* table : {"plu", "SpecCenDruk", "PluDiscount", "HistoriaZmian"})
        EXPECT_EQ(count(table), 0) << table;

    pluDiscountDao_ = Orvel::Products::registerPluDiscountDao();
    EXPECT_THROW(Orvel::Products::registerPluDiscountDao(), std::logic_error);
}

}  // namespace
