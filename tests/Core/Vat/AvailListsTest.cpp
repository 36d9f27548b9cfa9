// The host's VAT rate, measure unit and payment form lists, read from a real store.

#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "tests/support/Failure.h"
#include "tests/support/StoreSession.h"

#include <optional>
#include <string>

namespace {

class AvailLists : public TestSupport::StoreSession {
protected:
    // Rows given as "code, 'name', value, excluded, 'fiscal code'", several joined by "), (".
    void addRate(const std::string& row) {
        TestSupport::exec(session, "insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, "
                                   "sKodFiskalny) values (" + row + ")");
    }
    // Rows given as "id, 'name', 'short name', final, native", several joined by "), (".
    void addPaymentForm(const std::string& row) {
        TestSupport::exec(session, "insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa) "
                                   "values (" + row + ")");
    }

    static const Vat::AvailVatRates& rates() { return Core::SingletonImplHolder::get<Vat::AvailVatRates>(); }
    static const Core::AvailMeasureUnits& units() { return Core::SingletonImplHolder::get<Core::AvailMeasureUnits>(); }

    std::optional<Core::ImplRegistration<Vat::AvailVatRates>> rateList_{std::in_place};
    Core::ImplRegistration<Core::AvailMeasureUnits> unitList_;
};

TEST_F(AvailLists, TheStoresVatRatesUnitsAndPaymentFormsAnswerEveryLookupInTheirOrderReadOnceUnderARegistration) {
    addRate("13, '23%', 0.23, 0, 'A'), (6, '22%', 0.22, 1, 'A'), (8, 'zw.', 0, 0, 'E'");

    std::string codes;
    for (const auto& rate : rates().getAllVatRates()) codes += std::to_string(rate.code()) + " ";
    EXPECT_EQ(codes, "6 8 13 ");
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

    addRate("12, '8%', 0.08, 0, 'B'");
    EXPECT_EQ(rates().getAllVatRates().size(), 3U) << "the host reads its lists at start";

    rateList_.reset();
    rateList_.emplace();
    EXPECT_DOUBLE_EQ(rates().getVatValueByCode(12), 0.08);

    // Measure units are found by code, and an unknown code has no name.
    TestSupport::exec(session, "insert into jednostkamiary (nJm, sSkrot, sNazwa) values (3, 'kg', 'kilogram'), "
                               "(1, 'szt', 'sztuka')");
    ASSERT_EQ(units().getAll().size(), 2U);
    EXPECT_EQ(units().getAll().front().id(), 1);
    EXPECT_EQ(units().find(3).shortName(), "kg");
    EXPECT_EQ(units().getMeasureUnitNameByCode(1), "sztuka");
    EXPECT_EQ(units().getMeasureUnitNameByCode(2), "");
    EXPECT_EQ(TestSupport::failure([] { units().find(2); }), "Brak jednostki miary o kodzie 2 na liście jednostek sklepu.");

    // Final payment forms keep the list order, and the native cash gives the currency.
    addPaymentForm("7, 'Euro', 'EUR', 1, 0), (5, 'Waluty obce', 'wal', 0, 0");
    {
        Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
        EXPECT_EQ(TestSupport::failure([] { Platnosci::getNativePaymentShortName(); }),
                  "Na liście form płatności sklepu brak gotówki w walucie krajowej.");
    }
    addPaymentForm("1, 'Gotówka', 'zł', 1, 1");
    EXPECT_THROW(addPaymentForm("2, 'Gotówka w kasie', 'zł', 1, 1"), DBKernel::DatabaseError) << "one native cash form";

    Core::ImplRegistration<Platnosci::FormyPlatnosci> forms;
    std::string finals;
    for (const auto& form : Core::SingletonImplHolder::get<Platnosci::FormyPlatnosci>().WszystkieKoncowe())
        finals += std::to_string(form.id()) + " " + form.name() + "; ";
    EXPECT_EQ(finals, "1 Gotówka; 7 Euro; ");
    EXPECT_EQ(Platnosci::getNativePaymentShortName(), "zł");
}

}  // namespace
