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

namespace {

class AvailLists : public ::testing::Test {
protected:
    void addRate(int code, const std::string& name, double value, bool excluded, const std::string& letter) {
        DBKernel::Sql::Command insert("insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, "
                                      "sKodFiskalny) values (:code, :name, :value, :excluded, :letter)");
        insert.Params["code"] = code;
        insert.Params["name"] = name;
        insert.Params["value"] = value;
        insert.Params["excluded"] = excluded ? 1 : 0;
        insert.Params["letter"] = letter;
        insert.execute();
    }

    void addUnit(int id, const std::string& shortName, const std::string& name) {
        DBKernel::Sql::Command insert("insert into jednostkamiary (nJm, sSkrot, sNazwa) values (:id, :short, :name)");
        insert.Params["id"] = id;
        insert.Params["short"] = shortName;
        insert.Params["name"] = name;
        insert.execute();
    }

    static const Vat::AvailVatRates& rates() { return Core::SingletonImplHolder::get<Vat::AvailVatRates>(); }
    static const Core::AvailMeasureUnits& units() { return Core::SingletonImplHolder::get<Core::AvailMeasureUnits>(); }

    TestSupport::TempStore store_{TestSupport::TempStore::withDatabase};
    std::optional<Core::ImplRegistration<Vat::AvailVatRates>> rateList_{std::in_place};
    Core::ImplRegistration<Core::AvailMeasureUnits> unitList_;
};

TEST_F(AvailLists, TheVatRatesOfTheStoreAnswerEveryLookupInCodeOrder) {
    addRate(13, "23%", 0.23, false, "A");
    addRate(6, "22%", 0.22, true, "A");
    addRate(8, "zw.", 0.0, false, "E");

    const auto& all = rates().getAllVatRates();
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(all[0].code(), 6);
    EXPECT_EQ(all[1].code(), 8);
    EXPECT_EQ(all[2].code(), 13);

    const auto& rate = rates().findRate(6);
    EXPECT_EQ(rate.name(), "22%");
    EXPECT_DOUBLE_EQ(rate.value(), 0.22);
    EXPECT_TRUE(rate.productExcluded());
    EXPECT_EQ(rate.fiscalCode(), 'A');
    EXPECT_FALSE(rates().findRate(13).productExcluded());

    EXPECT_DOUBLE_EQ(rates().getVatValueByCode(13), 0.23);
    EXPECT_EQ(rates().getVatValueByCode(8), 0.0);
    EXPECT_EQ(rates().getVatCodeByName("zw."), 8);
    EXPECT_EQ(rates().getFiscalCodeByCode(8, 40544), 'E');

    EXPECT_EQ(TestSupport::failure([] { rates().findRate(7); }), "Brak stawki VAT o kodzie 7 na liście stawek sklepu.");
    EXPECT_EQ(TestSupport::failure([] { rates().getVatValueByCode(7); }), "Brak stawki VAT o kodzie 7 na liście stawek sklepu.");
    EXPECT_EQ(TestSupport::failure([] { rates().getFiscalCodeByCode(7, 40544); }),
              "Brak stawki VAT o kodzie 7 na liście stawek sklepu.");
    EXPECT_EQ(TestSupport::failure([] { rates().getVatCodeByName("ZW."); }),
              "Brak stawki VAT o nazwie \"ZW.\" na liście stawek sklepu.");

    // The table takes one capital letter as a fiscal code and a rate below one.
    EXPECT_THROW(addRate(1, "0%", 0.0, false, "AB"), DBKernel::DatabaseError);
    EXPECT_THROW(addRate(1, "0%", 0.0, false, "d"), DBKernel::DatabaseError);
    EXPECT_THROW(addRate(1, "100%", 1.0, false, "D"), DBKernel::DatabaseError);
}

TEST_F(AvailLists, TheListIsReadOnceAndReadAgainOnlyUnderANewRegistration) {
    addRate(13, "23%", 0.23, false, "A");
    EXPECT_EQ(rates().getAllVatRates().size(), 1U);
    addRate(12, "8%", 0.08, false, "B");
    EXPECT_EQ(rates().getAllVatRates().size(), 1U) << "the host reads its lists at start";

    rateList_.reset();
    EXPECT_THROW(rates(), std::logic_error) << "no list while nobody provides one";
    rateList_.emplace();
    EXPECT_DOUBLE_EQ(rates().getVatValueByCode(12), 0.08);
}

TEST_F(AvailLists, MeasureUnitsAreFoundByCodeAndAnUnknownCodeHasNoName) {
    addUnit(3, "kg", "kilogram");
    addUnit(1, "szt", "sztuka");

    ASSERT_EQ(units().getAll().size(), 2U);
    EXPECT_EQ(units().getAll().front().id(), 1);
    EXPECT_EQ(units().find(3).shortName(), "kg");
    EXPECT_EQ(units().find(3).name(), "kilogram");
    EXPECT_EQ(units().getMeasureUnitNameByCode(1), "sztuka");
    EXPECT_EQ(units().getMeasureUnitNameByCode(2), "");
    EXPECT_EQ(TestSupport::failure([] { units().find(2); }), "Brak jednostki miary o kodzie 2 na liście jednostek sklepu.");
}

TEST(PaymentForms, FinalFormsKeepTheListOrderAndTheNativeCashGivesTheCurrency) {
    TestSupport::TempStore store(TestSupport::TempStore::withDatabase);
    DBKernel::Sql::Command insert("insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa) "
                                  "values (:id, :name, :short, :final, :native)");
    auto add = [&insert](int id, const char* name, const char* shortName, bool final, bool native) {
        insert.Params["id"] = id;
        insert.Params["name"] = name;
        insert.Params["short"] = shortName;
        insert.Params["final"] = final ? 1 : 0;
        insert.Params["native"] = native ? 1 : 0;
        insert.execute();
    };
    add(7, "Euro", "EUR", true, false);
    add(5, "Waluty obce", "wal", false, false);
    {
        Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
        EXPECT_EQ(TestSupport::failure([] { Platnosci::getNativePaymentShortName(); }),
                  "Na liście form płatności sklepu brak gotówki w walucie krajowej.");
    }
    add(1, "Gotówka", "zł", true, true);
    EXPECT_THROW(add(2, "Gotówka w kasie", "zł", true, true), DBKernel::DatabaseError) << "one native cash form";

    Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
    const auto finals = Core::SingletonImplHolder::get<Platnosci::FormyPlatnosci>().WszystkieKoncowe();
    ASSERT_EQ(finals.size(), 2U);
    EXPECT_EQ(finals[0].name(), "Gotówka");
    EXPECT_EQ(finals[1].id(), 7);
    EXPECT_EQ(Platnosci::getNativePaymentShortName(), "zł");
}

}  // namespace
