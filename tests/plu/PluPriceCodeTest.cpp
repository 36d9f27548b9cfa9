// The special-price code: the generator of its text, the lock on a code, and
// the adapter that stores the code with its price, labels and history.

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Products/PluDiscountDao.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Token.h"
#include "Core/User/User.h"
#include "Modules/Towary/Tools/plu/CBlokujPlu.h"
#include "Modules/Towary/Tools/plu/SpecialPluDatabaseAdapter.h"
#include "Modules/Towary/Tools/plu/SpecialPluGenerator.h"
#include "apps/towary/StoreCreation.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Failure.h"
#include "tests/support/RunTowary.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/StoreRows.h"
#include "tests/support/TempStore.h"

#include <boost/algorithm/string/replace.hpp>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using TestSupport::failure;

// A sample store made as `towary init` makes it, with the host's services the
// special-price code needs registered in-process (settings, payment forms,
// the "PluDiscount" data-access object), and a product to give codes to. Rows
// are written and read with plain statements, independent of the code under
// test, their ids past those of the new store.
class PriceCode : public ::testing::Test {
protected:
    // The registered settings and payment forms are read when first used, after the store is made.
    PriceCode() {
        Core::Store::setDirectory(scratch_.path() / "sklep");
        Towary::Host::createStore();
        TestSupport::addProduct(session_, product_, "Ser", "0101", "000100");
    }

    // The rows of a query, one a line, the columns joined by "|".
    std::string rows(const std::string& query) { return TestSupport::rows(session_, query); }
    // Replaces a text of the store's settings file.
    static void editSettings(const std::string& from, const std::string& to) {
        const auto text = TestSupport::readFile(Core::Store::settingsFile());
        TestSupport::replaceSettingsFile(boost::algorithm::replace_first_copy(text, from, to));
    }
    // The adapter's argument: a code row of the product and its special price.
    PLU::SaveSpecialPriceContext context(const std::string& code, double price, int labels, bool stored = false) {
        auto plu = boost::make_shared<TPLU>();
        plu->SetPLU(code);
        plu->SetTowarRef(static_cast<int>(product_));
        plu->SetJm(1);
        plu->SetStatus(1);
        return {session_, plu, stored, boost::make_shared<Orvel::Products::PluDiscount>(product_, price), labels};
    }

    TestSupport::TempStore scratch_;
    Core::SetupRegistration setup_;
    Core::ImplRegistration<Platnosci::FormyPlatnosci> paymentForms_;
    Core::Token pluDiscountDao_ = Orvel::Products::registerPluDiscountDao();
    TSessionHolder session_;
    long long product_ = 100;
    PLU::CPLUSpecjalneDatabaseAdapter adapter_;
};

TEST_F(PriceCode, PrefixFreeNumberPriceAndCheckDigit) {
    // Which number is free is the store routine's rule, checked with it; the code is built around its answer.
    for (const auto& [id, taken] : {std::pair{101, "2900001000006"}, {102, "2900002000003"}})
        TestSupport::addCode(session_, id, product_, taken);
    PLU::CGeneratorPLUSpecjalnych generate;
    EXPECT_EQ(generate.prefix(), "29");
    EXPECT_EQ(generate(12.5), "2900003012506") << "29, 00003, 012, 50 and the check digit";
    EXPECT_EQ(generate(0.999999).substr(0, 12) + " " + generate(3.10).substr(0, 12), "290000300099 290000300310");
    const auto misfit = [](const std::string& code) {
        return "Błąd! PLU '" + code + "' nie pasuje do maski PLU specjalnego!";
    };
    EXPECT_EQ(failure([&] { generate(1000); }), misfit("29000031000000"));
    EXPECT_EQ(failure([&] { generate(std::nan("")); }), misfit("2900003nannan0"));
    for (double huge : {1e30, std::numeric_limits<double>::infinity()})
        EXPECT_NE(failure([&] { generate(huge); }).find("nie pasuje do maski PLU specjalnego!"), std::string::npos);

    editSettings("Tekst = \"28\"", "Tekst = \"2\"");  // the weighed mask now takes every code of 2
    EXPECT_EQ(failure([&] { generate(12.5); }), misfit("2900003012500"));
    editSettings("Typ = \"S\"", "Typ = \"P\"");
    EXPECT_EQ(failure([] { PLU::CGeneratorPLUSpecjalnych(); }), "Błąd! Brak masek specjalnych kodów PLU w konfig.!");
}

TEST_F(PriceCode, LockRefusedToOtherSessionsAndProcessesUntilRollback) {
    const int id = 117;
    TestSupport::addCode(session_, id, product_, "2900017012509");
    Plu::CBlokujPlu lock;
    TSessionHolder mine = TSessionHolder::open();
    int pluRef = -1;
    EXPECT_EQ(lock("17", mine, pluRef), Plu::CBlokujPlu::kNoCode);
    EXPECT_EQ(pluRef, -1);
    EXPECT_FALSE(mine.InTransaction()) << "no lock taken: the transaction the call opened is gone";
    mine.StartTransaction();
    EXPECT_EQ(lock("17", mine, pluRef), Plu::CBlokujPlu::kNoCode);
    EXPECT_TRUE(mine.InTransaction()) << "the caller's own transaction stays the caller's";
    mine.Rollback();

    // plu_lock_holder holds the code's lock in a process of its own until it reads a line.
    TestSupport::ChildProcess holder(PLU_LOCK_HOLDER, {Core::Store::directory().string(), "2900017012509"});
    EXPECT_EQ(holder.line(), "0 " + std::to_string(id) + "\n");
    EXPECT_EQ(lock("2900017012509", mine, pluRef), Plu::CBlokujPlu::kFailed) << "held by another process";
    holder.send("\n");
    EXPECT_EQ(holder.line(), "released\n");

    EXPECT_EQ(lock("2900017012500", mine, pluRef), Plu::CBlokujPlu::kLocked) << "the text is read as a code";
    EXPECT_EQ(pluRef, id);
    TSessionHolder other = TSessionHolder::open();
    int otherRef = -1;
    EXPECT_EQ(lock("2900017012509", other, otherRef), Plu::CBlokujPlu::kFailed) << "held by another session";
    EXPECT_EQ(lock("12a", other, otherRef), Plu::CBlokujPlu::kFailed) << "no code at all";
    EXPECT_FALSE(other.InTransaction());
    mine.Rollback();
    EXPECT_EQ(lock("2900017012509", other, otherRef), Plu::CBlokujPlu::kLocked);
    other.Rollback();
}

TEST_F(PriceCode, AdapterStoresTheCodeItsPriceLabelsAndHistoryTogetherAndAStoredCodeRowInPlace) {
    const std::string product = std::to_string(product_);
    Core::User::instance().setUserRef(7);
    adapter_.saveSpecialPrice(context("2900017012509", 12.5, 3));
    const std::string id = TestSupport::value(session_, "select lPluRef from plu where sPLU = '2900017012509'");
    EXPECT_EQ(std::to_string(*adapter_.getPluId("2900017012509", session_)), id);
    EXPECT_EQ(rows("select lTowarRef, byStatus, nJm from plu where lPluRef = " + id), product + "|1|1\n");
    EXPECT_EQ(rows("select dCena, lTowarRef, lUzytkRef from PluDiscount where lPluRef = " + id),
              "12.5|" + product + "|7\n");
    EXPECT_EQ(rows("select sSekcja, sRodzajObiektu, sKlucz, nTypOperacji, lObiektRef, lTowarRef, sOpis, lUzytkRef "
                   "from HistoriaZmian"),
              "Operacje|Towar|NCENYSPECJALNE|1|" + id + "|" + product +
                  "|Modyfikacja ilości etykiet/metek z ceną specjalną 12.50 zł|7\n");

    // The code row is stored already and the caller knows only its text: the
    // labels (now set by another user) and the price change, no second row;
    // the history names the price's product.
    Core::User::instance().setUserRef(9);
    auto stored = context("2900017012509", 12.5, 5, true);
    stored.plu = boost::make_shared<TPLU>();
    stored.plu->SetPLU("2900017012509");
    adapter_.saveSpecialPrice(stored);
    EXPECT_EQ(rows("select lIlosc, lUzytkRef, lSpecCenDrukRef > 0 from SpecCenDruk"), "5|9|1\n")
        << "the labels row was merged once, its id from the id generator";
    EXPECT_EQ(std::tuple(TestSupport::count(session_, "plu"), TestSupport::count(session_, "PluDiscount")),
              std::tuple(1, 1));
    EXPECT_EQ(rows("select lObiektRef, lTowarRef from HistoriaZmian where lUzytkRef = 9"), id + "|" + product + "\n");
    EXPECT_FALSE(adapter_.getPluId("2900018012508", session_));
    Core::User::instance().setUserRef(Core::User::kDefaultUserRef);

    // A code row stored already, of another product, is updated in place.
    TestSupport::addProduct(session_, 200, "Chleb", "0101", "000200");
    TestSupport::addCode(session_, 217, 200, "2900018012508", 3);
    auto plu = context("2900018012508", 12.5, 1).plu;
    plu->SetJm(2);
    EXPECT_EQ(adapter_.savePluRecord(plu, session_), 217);
    EXPECT_EQ(rows("select lTowarRef, byStatus, nJm from plu where lPluRef = 217"), product + "|1|2\n");
}

TEST_F(PriceCode, AdapterAFailureOnTheWayLeavesNothingWritten) {
    const auto save = [this](double price, int labels, bool stored) {
        return failure([&] { adapter_.saveSpecialPrice(context("2900017012509", price, labels, stored)); });
    };
    EXPECT_EQ(save(12.5, 3, true), "Kod PLU ceny specjalnej '2900017012509' nie jest zapisany w bazie.");
    EXPECT_EQ(save(12.5, -1, false), "Liczba etykiet z ceną specjalną nie może być ujemna (podano -1).");
    EXPECT_EQ(save(0.0, 1, false), "Cena specjalna musi być dodatnia (podano 0.00).");
    pluDiscountDao_.reset();
    EXPECT_EQ(save(12.5, 1, false), "Nie zarejestrowano obiektu dostępu do danych \"PluDiscount\".");
    for (const char* table : {"plu", "SpecCenDruk", "PluDiscount", "HistoriaZmian"})
        EXPECT_EQ(TestSupport::count(session_, table), 0) << table;

    pluDiscountDao_ = Orvel::Products::registerPluDiscountDao();
    EXPECT_THROW(Orvel::Products::registerPluDiscountDao(), std::logic_error);
}

}  // namespace
