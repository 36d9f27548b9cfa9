// The host's VAT rate, measure unit and payment form lists, read from a real store.

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Query.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "tests/support/Failure.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class AvailLists : public ::testing::Test {
protected:
    // Rows given as "code, 'name', value, excluded, 'fiscal code'".
    static void addRate(const std::string& row) {
        DBKernel::Sql::Command("insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny) "
                               "values (" + row + ")")
            .execute();
    }

    static const Vat::AvailVatRates& rates() { return Core::SingletonImplHolder::get<Vat::AvailVatRates>(); }
    static const Core::AvailMeasureUnits& units() { return Core::SingletonImplHolder::get<Core::AvailMeasureUnits>(); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    std::optional<Core::ImplRegistration<Vat::AvailVatRates>> rateList_{std::in_place};
    Core::ImplRegistration<Core::AvailMeasureUnits> unitList_;
};

TEST_F(AvailLists, TheVatRatesOfTheStoreAnswerEveryLookupInCodeOrder) {
    addRate("13, '23%', 0.23, 0, 'A'");
    addRate("6, '22%', 0.22, 1, 'A'");
    addRate("8, 'zw.', 0, 0, 'E'");

    std::vector<int> codes;
    for (const auto& rate : rates().getAllVatRates()) codes.push_back(rate.code());
    EXPECT_EQ(codes, (std::vector<int>{6, 8, 13}));
    EXPECT_TRUE(rates().findRate(6).productExcluded());
    EXPECT_FALSE(rates().findRate(13).productExcluded());

    EXPECT_DOUBLE_EQ(rates().getVatValueByCode(13), 0.23);
    EXPECT_EQ(rates().getVatCodeByName("zw."), 8);
    EXPECT_EQ(rates().getFiscalCodeByCode(8, 40544), 'E');

    EXPECT_EQ(TestSupport::failure([] { rates().findRate(7); }), "Brak stawki VAT o kodzie 7 na liście stawek sklepu.");
    EXPECT_EQ(TestSupport::failure([] { rates().getVatCodeByName("ZW."); }),
              "Brak stawki VAT o nazwie \"ZW.\" na liście stawek sklepu.");

    // The table takes one capital letter as a fiscal code and a rate below one.
    for (const char* refused : {"1, '0%', 0, 0, 'AB'", "1, '0%', 0, 0, 'd'", "1, '100%', 1, 0, 'D'"})
        EXPECT_THROW(addRate(refused), DBKernel::DatabaseError) << refused;
}

TEST_F(AvailLists, TheListIsReadOnceAndReadAgainOnlyUnderANewRegistration) {
    addRate("13, '23%', 0.23, 0, 'A'");
    EXPECT_EQ(rates().getAllVatRates().size(), 1U);
    addRate("12, '8%', 0.08, 0, 'B'");
    EXPECT_EQ(rates().getAllVatRates().size(), 1U) << "the host reads its lists at start";

    rateList_.reset();
    EXPECT_THROW(rates(), std::logic_error) << "no list while nobody provides one";
    rateList_.emplace();
    EXPECT_DOUBLE_EQ(rates().getVatValueByCode(12), 0.08);
}

TEST_F(AvailLists, MeasureUnitsAreFoundByCodeAndAnUnknownCodeHasNoName) {
    DBKernel::Sql::Command("insert into jednostkamiary (nJm, sSkrot, sNazwa) values (3, 'kg', 'kilogram'), "
                           "(1, 'szt', 'sztuka')")
        .execute();

    ASSERT_EQ(units().getAll().size(), 2U);
    EXPECT_EQ(units().getAll().front().id(), 1);
    EXPECT_EQ(units().find(3).shortName(), "kg");
    EXPECT_EQ(units().getMeasureUnitNameByCode(1), "sztuka");
    EXPECT_EQ(units().getMeasureUnitNameByCode(2), "");
    EXPECT_EQ(TestSupport::failure([] { units().find(2); }), "Brak jednostki miary o kodzie 2 na liście jednostek sklepu.");
}

TEST(PaymentForms, FinalFormsKeepTheListOrderAndTheNativeCashGivesTheCurrency) {
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    // Rows given as "id, 'name', 'short name', final, native".
    const auto add = [](const std::string& row) {
        DBKernel::Sql::Command("insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa) values (" +
                               row + ")")
            .execute();
    };
    add("7, 'Euro', 'EUR', 1, 0");
    add("5, 'Waluty obce', 'wal', 0, 0");
    {
        Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
        EXPECT_EQ(TestSupport::failure([] { Platnosci::getNativePaymentShortName(); }),
                  "Na liście form płatności sklepu brak gotówki w walucie krajowej.");
    }
    add("1, 'Gotówka', 'zł', 1, 1");
    EXPECT_THROW(add("2, 'Gotówka w kasie', 'zł', 1, 1"), DBKernel::DatabaseError) << "one native cash form";

    Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
    const auto finals = Core::SingletonImplHolder::get<Platnosci::FormyPlatnosci>().WszystkieKoncowe();
    ASSERT_EQ(finals.size(), 2U);
    EXPECT_EQ(finals[0].name(), "Gotówka");
    EXPECT_EQ(finals[1].id(), 7);
    EXPECT_EQ(Platnosci::getNativePaymentShortName(), "zł");
}

}  // namespace
